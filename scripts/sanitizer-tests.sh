#!/usr/bin/env bash
# The unit and device suites again, built with clang 14, AddressSanitizer and
# UBSan (which halts at the first error), in the tree the fuzz targets share
# (scripts/sanitize-tree.sh). Only the executables of those two suites are built.
# A leak, an ASan error or any undefined behaviour fails the test it happens in.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/sanitize-tree.sh
. "$here/scripts/sanitize-tree.sh"
sanitize_configure
cmake --build "$build" -j"$(nproc)" --target unit-device-tests
cd "$build"
# The Win32 tests compile and run Win32 code with mingw and Wine: nothing the
# sanitizers could watch.
ctest -L 'unit|device' -E '^platform_win32_' --output-on-failure -j"$(nproc)" --timeout 600
