# mousecfg_add_qtest(<name> LABEL <label> SOURCES <files...> LIBS <targets...>)
# One QtTest executable registered with CTest. Every test gets the source data
# folder and the assembled application directory as compile definitions, and
# runs with the offscreen platform unless it sets QT_QPA_PLATFORM itself.
function(mousecfg_add_qtest name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    MOUSECFG_DATA_DIR="${MOUSECFG_DATA_DIR}"
    MOUSECFG_APPDIR="${MOUSECFG_APPDIR}"
    MOUSECFG_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_property(GLOBAL APPEND PROPERTY MOUSECFG_TESTS_${T_LABEL} ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(env "QT_QPA_PLATFORM=offscreen")
  if(MOUSECFG_SANITIZE OR MOUSECFG_FUZZ)
    # A leak fails the test like any ASan error or undefined behaviour; what Qt
    # itself keeps until exit is suppressed by name in cmake/lsan.supp. The
    # windowed suites record full allocation stacks (slow), so that leaks inside
    # Qt's platform plugins can be told apart from ours; the unit and device
    # suites keep ASan's fast ones, which take a fraction of the time.
    set(asan "detect_leaks=1")
    if(NOT T_LABEL MATCHES "^(unit|device)$")
      string(APPEND asan ":fast_unwind_on_malloc=0")
    endif()
    list(APPEND env "ASAN_OPTIONS=${asan}"
                    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
                    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp")
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS "${T_LABEL}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${env};${T_ENV}")
endfunction()

# mousecfg_app_executable(<target> [COMMAND] [SIMULATOR])
# Puts an executable into the assembled application directory and installs it
# into the installed one (<prefix>/lib/mousecfg). COMMAND also links it from
# <prefix>/bin. SIMULATOR keeps it out of the package: it is installed only on
# request, with `cmake --install <build> --component simulator`.
function(mousecfg_app_executable target)
  cmake_parse_arguments(E "COMMAND;SIMULATOR" "" "" ${ARGN})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${MOUSECFG_APPDIR}")
  add_dependencies(appdir ${target})
  set(component COMPONENT mousecfg)
  if(E_SIMULATOR)
    set(component COMPONENT simulator EXCLUDE_FROM_ALL)
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION "${MOUSECFG_INSTALL_APPDIR}" ${component})
  if(E_COMMAND)
    # A relative link, so the installation can move (DESTDIR, another prefix);
    # the program finds its data from its real location.
    file(RELATIVE_PATH to "/${MOUSECFG_INSTALL_BINDIR}" "/${MOUSECFG_INSTALL_APPDIR}/${target}")
    set(link "${CMAKE_BINARY_DIR}/command-links/${target}")
    file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/command-links")
    file(CREATE_LINK "${to}" "${link}" SYMBOLIC)
    install(PROGRAMS "${link}" DESTINATION "${MOUSECFG_INSTALL_BINDIR}" ${component})
  endif()
endfunction()
