#!/usr/bin/env bash
# The unit and device suites again, built with AddressSanitizer and UBSan (which
# halts at the first error), in their own build tree. Only the executables of
# those two suites are built.
#   BUILD_DIR_SANITIZE (default: ./build-asan) and MOUSECFG_CMAKE_ARGS may be set.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR_SANITIZE:-$here/build-asan}"
# shellcheck disable=SC2086
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOUSECFG_WERROR=ON -DMOUSECFG_SANITIZE=ON \
  -DMOUSECFG_BENCH=OFF ${MOUSECFG_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)" --target unit-device-tests
cd "$build"
# the Win32 compile check builds nothing the sanitizers could watch
ctest -L 'unit|device' -E '^platform_win32_compiles$' --output-on-failure -j"$(nproc)" --timeout 600
