# cmake -DCXX=<mingw g++> -DPLATFORM_DIR=<src/platform> -DSOURCE=<test .cpp>
#       -DOUTPUT_DIR=<dir> -DWINE=<wine64> -P RunWin32Program.cmake
# Builds the Win32 test program with every win/*.cpp and runs it under Wine in
# its own prefix; fails when it does not build or reports a failure.
foreach(var CXX PLATFORM_DIR SOURCE OUTPUT_DIR WINE)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(GLOB win_sources "${PLATFORM_DIR}/win/*.cpp")
set(exe "${OUTPUT_DIR}/tst_win32platform.exe")
execute_process(
  COMMAND "${CXX}" -std=c++17 -Wall -Wextra -Werror -DUNICODE -D_UNICODE -static -O1
    -I "${PLATFORM_DIR}" -I "${PLATFORM_DIR}/win" "${SOURCE}" "${PLATFORM_DIR}/OsdBlock.cpp" ${win_sources} -o "${exe}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the Win32 test program does not build")
endif()
# A prefix of its own, made on first use and kept in the build tree.
set(ENV{WINEPREFIX} "${OUTPUT_DIR}/wineprefix")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
execute_process(COMMAND "${WINE}" "${exe}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the Win32 test program failed under Wine (${rc}):\n${out}\n${err}")
endif()
