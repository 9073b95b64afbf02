#!/bin/sh
# Runs a test program under Wine as a standard user has it: as root without
# the capabilities that let root ignore file permissions, with the prefix's
# "Program Files" read-only. It also makes a read-only folder, passed to the
# test as --readonly=FOLDER, holding a program folder "Quiltra" with
# Quiltra.exe and Readme.txt, as an administrator's installation leaves it.
#   standard-user.sh WINE_DIR QUILTRA_EXE WINE_RUN TEST [ARGUMENTS...]
set -e
wine_dir=$1 quiltra=$2 runner=$3
shift 3
files="$wine_dir/prefix/drive_c/Program Files"
readonly="$wine_dir/readonly"
# Wine's server opens the files for its programs: it must run without the
# capabilities too, so this waits for a running one to end and the test's
# first program starts a new one. The test runs alone (RUN_SERIAL).
. "$(dirname "$0")/../../../scripts/wine-env.sh"
wineserver -w
restore() {
  wineserver -w || true
  chmod 755 "$files" "$readonly" "$readonly/Quiltra" 2>/dev/null || true
}
trap restore EXIT
trap 'exit 143' INT TERM
rm -rf "$readonly"
mkdir -p "$readonly/Quiltra"
cp "$quiltra" "$readonly/Quiltra/Quiltra.exe"
printf 'Quiltra read-me\r\n' >"$readonly/Quiltra/Readme.txt"
chmod 555 "$files" "$readonly" "$readonly/Quiltra"
caps=-dac_override,-dac_read_search,-fowner
setpriv --inh-caps=$caps --bounding-set=$caps "$runner" "$@" --readonly="$readonly"
