# cmake -DCXX=<mingw g++> -DPLATFORM_DIR=<src/platform> -DQT_INCLUDES=<dir|dir...>
#       -DOUTPUT_DIR=<dir> -P CompileWin32Sources.cmake
# Compiles every win/*.cpp for Windows with warnings as errors, then checks the
# syntax of every winqt/*.cpp, and fails on the first file that does not
# compile (or when win/ holds none).
foreach(var CXX PLATFORM_DIR OUTPUT_DIR)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
set(common -std=c++17 -Wall -Wextra -Werror -DUNICODE -D_UNICODE -I "${PLATFORM_DIR}" -I "${PLATFORM_DIR}/win")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")

function(check_file src)
  set(cmd "${CXX}" ${common} ${ARGN} "${src}")
  string(REPLACE ";" " " shown "${cmd}")
  message(STATUS "${shown}")
  execute_process(COMMAND ${cmd} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Win32 compile check failed for ${src}")
  endif()
endfunction()

file(GLOB win_sources "${PLATFORM_DIR}/win/*.cpp")
list(SORT win_sources)
if(NOT win_sources)
  message(FATAL_ERROR "No Win32 sources in ${PLATFORM_DIR}/win")
endif()
foreach(src ${win_sources})
  get_filename_component(stem "${src}" NAME_WE)
  check_file("${src}" -O2 -c -o "${OUTPUT_DIR}/${stem}.o")
endforeach()

# The Qt-facing adapters see this machine's Qt headers, which are the same
# for Windows apart from the export attributes of a few friend declarations
# (hence -Wno-attributes); only their syntax is checked, nothing is linked.
file(GLOB winqt_sources "${PLATFORM_DIR}/winqt/*.cpp")
list(SORT winqt_sources)
string(REPLACE "|" ";" qt_dirs "${QT_INCLUDES}")
list(FILTER qt_dirs EXCLUDE REGEX "mkspecs") # the Linux platform definitions
set(qt_flags -fsyntax-only -Wno-attributes)
foreach(dir ${qt_dirs})
  list(APPEND qt_flags -I "${dir}")
endforeach()
foreach(src ${winqt_sources})
  check_file("${src}" ${qt_flags})
endforeach()

list(LENGTH win_sources n_win)
list(LENGTH winqt_sources n_winqt)
message(STATUS "Win32 compile check: ${n_win} win/ file(s) compiled, ${n_winqt} winqt/ file(s) checked")
