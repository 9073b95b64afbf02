#!/bin/sh
# Starts or stops the private Xvfb display of the UI tests; its name is kept in
# WINE_DIR/display. Xvfb picks a free display number itself, so several build
# trees can test at once. The screen is 1280x1024 unless a size is given.
#   xvfb.sh start|stop WINE_DIR [WIDTHxHEIGHT]
action=$1
wine_dir=$2
size=${3:-1280x1024}
[ -n "$wine_dir" ] || { echo "usage: $0 start|stop WINE_DIR [WIDTHxHEIGHT]" >&2; exit 2; }
mkdir -p "$wine_dir"
case "$action" in
start)
  if [ -f "$wine_dir/xvfb.pid" ] && kill -0 "$(cat "$wine_dir/xvfb.pid")" 2>/dev/null; then
    exit 0
  fi
  rm -f "$wine_dir/xvfb.number"
  # setsid and closed streams: ctest must not wait for the server.
  setsid Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp \
    3>"$wine_dir/xvfb.number" </dev/null >/dev/null 2>&1 &
  echo $! >"$wine_dir/xvfb.pid"
  tries=0
  until [ -s "$wine_dir/xvfb.number" ]; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  echo ":$(tr -d '\n' <"$wine_dir/xvfb.number")" >"$wine_dir/display"
  echo "Xvfb runs on $(cat "$wine_dir/display")"
  ;;
stop)
  if [ -f "$wine_dir/xvfb.pid" ]; then
    kill "$(cat "$wine_dir/xvfb.pid")" 2>/dev/null
    rm -f "$wine_dir/xvfb.pid" "$wine_dir/display" "$wine_dir/xvfb.number"
  fi
  ;;
esac
exit 0
