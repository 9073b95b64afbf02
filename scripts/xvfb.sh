#!/bin/sh
# Starts or stops the private Xvfb display of the UI tests; its number is kept
# in WINE_DIR/display.
action=$1
wine_dir=$2
[ -n "$wine_dir" ] || { echo "usage: $0 start|stop WINE_DIR" >&2; exit 2; }
mkdir -p "$wine_dir"
case "$action" in
start)
  if [ -f "$wine_dir/xvfb.pid" ] && kill -0 "$(cat "$wine_dir/xvfb.pid")" 2>/dev/null; then
    exit 0
  fi
  number=91
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
    number=$((number + 1))
  done
  # setsid and closed streams: ctest must not wait for the server.
  setsid Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! >"$wine_dir/xvfb.pid"
  echo ":$number" >"$wine_dir/display"
  tries=0
  until [ -e "/tmp/.X11-unix/X$number" ]; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && { echo "Xvfb did not start on :$number" >&2; exit 1; }
    sleep 0.1
  done
  echo "Xvfb runs on :$number"
  ;;
stop)
  if [ -f "$wine_dir/xvfb.pid" ]; then
    kill "$(cat "$wine_dir/xvfb.pid")" 2>/dev/null
    rm -f "$wine_dir/xvfb.pid" "$wine_dir/display"
  fi
  ;;
esac
exit 0
