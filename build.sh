#!/usr/bin/env bash
# One entry point for developers and CI.
#   ./build.sh test   install what is missing, build with warnings as errors, run every test
#   ./build.sh run    install what is missing, build, start the utility against the simulated mouse
#                     (with no screen: on a virtual one, saving a screenshot under <build>/screenshots/)
#   ./build.sh build  install what is missing and build
# BUILD_DIR (default: ./build) and MOUSECFG_CMAKE_ARGS (extra cmake arguments) may be set.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
what="${1:-test}"
build="${BUILD_DIR:-$here/build}"

"$here/scripts/install-deps.sh"
# shellcheck disable=SC2086
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOUSECFG_WERROR=ON ${MOUSECFG_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"

case "$what" in
  build) ;;
  test)
    cd "$build"
    set +e
    ctest --output-on-failure -j"$(nproc)" --timeout 600 2>&1 | tee ctest.log
    rc=${PIPESTATUS[0]}
    set -e
    # CTest's summary line ends the output, after its timing table
    grep -E '^[0-9]+% tests passed' ctest.log | tail -n 1
    exit "$rc"
    ;;
  run)
    app="$build/app/mousecfg-sim"
    if [ ! -x "$app" ]; then
      echo "The utility's window is not part of this build yet; try: $build/app/mousecfgctl-sim --simulate status" >&2
      exit 1
    fi
    # A usable screen: run the demo there and hand it the terminal.
    if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then
      exec "$app"
    fi
    # No screen: start a virtual one, let the demo photograph itself and quit.
    shots="$build/screenshots"
    shot="$shots/demo.png"
    mkdir -p "$shots"
    rm -f "$shot"
    fdfile="$(mktemp)"
    xvfb_pid=""
    stop_xvfb() {
      if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
      fi
      rm -f "$fdfile"
    }
    trap stop_xvfb EXIT
    # -displayfd lets Xvfb pick a free display number and tell us which one
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -dpi 96 -nolisten tcp 3>"$fdfile" 2>"$shots/xvfb.log" &
    xvfb_pid=$!
    display=""
    for _ in $(seq 100); do
      display="$(tr -dc '0-9' <"$fdfile")"
      [ -n "$display" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -z "$display" ]; then
      echo "Xvfb did not start; see $shots/xvfb.log" >&2
      exit 1
    fi
    set +e
    # its diagnostics go to a log beside the picture
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb MOUSECFG_SIM_SCREENSHOT="$shot" \
      timeout 30 "$app" >"$shots/demo.log" 2>&1
    rc=$?
    set -e
    if [ ! -s "$shot" ]; then
      if [ "$rc" -eq 124 ]; then
        echo "mousecfg-sim took more than 30 s and wrote no screenshot" >&2
      else
        echo "mousecfg-sim ended with exit code $rc and wrote no screenshot" >&2
      fi
      echo "Its output: $shots/demo.log" >&2
      exit 1
    fi
    echo "Screenshot of the main window and the Virtual mouse: $shot"
    if [ "$rc" -ne 0 ]; then
      echo "mousecfg-sim saved the screenshot but ended with exit code $rc; its output: $shots/demo.log" >&2
      exit "$rc"
    fi
    ;;
  *) echo "usage: $0 [test|run|build]" >&2; exit 2 ;;
esac
