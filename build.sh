#!/usr/bin/env bash
# One entry point for developers and CI.
#   ./build.sh test   install what is missing, build with warnings as errors, run every test
#   ./build.sh run    install what is missing, build, start the utility against the simulated mouse
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
    ctest --output-on-failure -j"$(nproc)" --timeout 600
    ;;
  run)
    exec "$build/app/mousecfg-sim"
    ;;
  *) echo "usage: $0 [test|run|build]" >&2; exit 2 ;;
esac
