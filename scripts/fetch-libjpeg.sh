#!/bin/sh
# Fetches libjpeg-turbo's source from Debian's source package, at the pinned
# version, into the given folder, once. apt verifies the files against the
# archive's signed index. A private sources list and state folder leave the
# machine's own apt setup untouched; the archive is the one the machine's own
# sources name for Debian 12 (or QUILTRA_DEBIAN_MIRROR), so a machine that
# uses a mirror or a proxy of its own builds too.
#
#   scripts/fetch-libjpeg.sh <folder>    (prints the source tree's path)
set -e
version=1:2.1.5-2
upstream=2.1.5
mirror=${QUILTRA_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' \
  'Release: bookworm' 'Component: main' 2>/dev/null | head -n 1)}
[ -n "$mirror" ] || mirror=$(apt-get indextargets --format '$(REPO_URI)' \
  'Origin: Debian' 'Label: Debian' 2>/dev/null | head -n 1)
[ -n "$mirror" ] || {
  echo "No Debian archive in this machine's apt sources: set QUILTRA_DEBIAN_MIRROR" >&2
  exit 1
}
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
dest=$(mkdir -p "$1" && cd "$1" && pwd)
tree=$dest/libjpeg-turbo-$upstream
if [ -f "$tree/.fetched" ]; then
  echo "$tree"
  exit 0
fi

apt=$dest/apt
rm -rf "$apt" "$tree"
mkdir -p "$apt/state/lists/partial" "$apt/cache/archives/partial" "$apt/parts"
echo "deb-src [signed-by=$keyring] $mirror bookworm main" > "$apt/sources.list"
options="-o Dir::Etc::SourceList=$apt/sources.list -o Dir::Etc::SourceParts=$apt/parts
  -o Dir::State=$apt/state -o Dir::Cache=$apt/cache -o Dir::State::status=/var/lib/dpkg/status
  -o Debug::NoLocking=1 -qq"
# shellcheck disable=SC2086
apt-get $options update >&2
cd "$dest"
# shellcheck disable=SC2086
apt-get $options source --only-source "libjpeg-turbo=$version" >&2 2>"$apt/source.log" || {
  cat "$apt/source.log" >&2
  exit 1
}
[ -f "$tree/CMakeLists.txt" ] || {
  echo "libjpeg-turbo $version: no source tree in $tree" >&2
  exit 1
}
touch "$tree/.fetched"
echo "$tree"
