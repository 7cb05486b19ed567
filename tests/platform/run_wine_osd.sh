#!/usr/bin/env bash
# run_wine_osd.sh <wine64> <osd_copydata.exe> <work dir>
# Runs the WM_COPYDATA exchange of the OSD messaging between two Windows
# processes under Wine, on a private virtual X screen and a private prefix:
# a companion window that answers, then one stuck in its window procedure.
# Exit 77 (skipped) when Wine or Xvfb is missing.
set -u
wine=$1 exe=$2 work=$3
command -v Xvfb >/dev/null && [ -x "$wine" ] || { echo "Wine or Xvfb missing: skipped"; exit 77; }
mkdir -p "$work"
rm -f "$work/display"
Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
cleanup() {
  "$(dirname "$wine")/wineserver" -k 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

start=$(date +%s)
"$wine" wineboot -i >"$work/wineboot.log" 2>&1
echo "prefix ready after $(( $(date +%s) - start )) s"

failed=0
exchange() { # <text> <colour> <receiver mode> <sender expectation>
  "$wine" "$exe" receive "$1" "$2" "$3" >"$work/receiver.log" 2>&1 &
  local receiver=$!
  "$wine" "$exe" send "$1" "$2" "$4"
  local sent=$?
  wait "$receiver"
  local received=$?
  cat "$work/receiver.log"
  echo "case $3: sender exit $sent, receiver exit $received"
  [ "$sent" -eq 0 ] && [ "$received" -eq 0 ] || failed=1
}
exchange "Profile 3" 00b6c8db answer delivered
exchange "DPI 2:1600" 00007dff hang timedout
exit $failed
