# Sourced by sanitizer-tests.sh and fuzz.sh: the one clang 14 build tree both
# use (BUILD_DIR_SANITIZE, default ./build-sanitize). Every library in it is
# built with AddressSanitizer, UBSan (halting at the first error) and the
# fuzzer's coverage, so the libraries are compiled once for the unit and device
# test executables and for the libFuzzer targets. -O1 with line tables only:
# stacks still name file and line; full debug info only makes the objects
# larger (about 1.6 times here) for the linker to read.
# MOUSECFG_CMAKE_ARGS adds cmake arguments.
build="${BUILD_DIR_SANITIZE:-$here/build-sanitize}"

sanitize_configure() {
  local flags="-O1 -gline-tables-only -DNDEBUG"
  # shellcheck disable=SC2086
  CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" \
    -DMOUSECFG_WERROR=ON -DMOUSECFG_SANITIZE=ON -DMOUSECFG_FUZZ=ON -DMOUSECFG_BENCH=OFF \
    ${MOUSECFG_CMAKE_ARGS:-} >/dev/null
}
