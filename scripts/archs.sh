# Sourced by the scripts that build, test and play: the architectures this
# machine can run, and each one's build tree inside $build (i686 in $build
# itself, x86_64 in $build/x64).

# Wine's 32-bit loader is itself a 32-bit Linux program: try it once rather
# than read the kernel's settings.
quiltra_runs_i686() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

quiltra_build_dir() {
  case $1 in
  x86_64) echo "$build/x64" ;;
  i686) echo "$build" ;;
  *) echo "Unknown architecture '$1': use i686 or x86_64" >&2; return 1 ;;
  esac
}
