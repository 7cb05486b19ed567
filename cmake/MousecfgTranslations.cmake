# The translations: lang/<file>.ts, compiled by lrelease into <appdir>/lang/<file>.qm,
# the names Config.ini's FONT_LIST/LangFile_<i> give. mousecfg_en is the source
# language and holds only what differs from the source texts (plural forms).
get_target_property(MOUSECFG_LUPDATE Qt5::lupdate IMPORTED_LOCATION)
get_target_property(MOUSECFG_LRELEASE Qt5::lrelease IMPORTED_LOCATION)
set(MOUSECFG_TS_SOURCE_LANG mousecfg_en)
set(MOUSECFG_TS_TRANSLATED mousecfg_zh_CN mousecfg_de)
# Where the program's texts are: everything built into the utility and the OSD companion.
set(MOUSECFG_TR_DIRS "${CMAKE_SOURCE_DIR}/src" "${CMAKE_SOURCE_DIR}/osd")

set(qm_files)
foreach(name IN LISTS MOUSECFG_TS_SOURCE_LANG MOUSECFG_TS_TRANSLATED)
  set(ts "${CMAKE_SOURCE_DIR}/lang/${name}.ts")
  set(qm "${MOUSECFG_APPDIR}/lang/${name}.qm")
  add_custom_command(OUTPUT "${qm}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${MOUSECFG_APPDIR}/lang"
    COMMAND "${MOUSECFG_LRELEASE}" -silent "${ts}" -qm "${qm}"
    DEPENDS "${ts}"
    COMMENT "Compiling ${name}.qm"
    VERBATIM)
  list(APPEND qm_files "${qm}")
endforeach()
add_custom_target(translations ALL DEPENDS ${qm_files})

# Brings every .ts up to date with the sources: cmake --build build --target lupdate.
# Run it after adding or changing a text, then translate what it marks unfinished.
list(TRANSFORM MOUSECFG_TS_TRANSLATED PREPEND "${CMAKE_SOURCE_DIR}/lang/" OUTPUT_VARIABLE ts_translated)
list(TRANSFORM ts_translated APPEND ".ts")
add_custom_target(lupdate
  COMMAND "${MOUSECFG_LUPDATE}" -silent -locations none -no-obsolete ${MOUSECFG_TR_DIRS}
          -ts ${ts_translated}
  COMMAND "${MOUSECFG_LUPDATE}" -silent -locations none -no-obsolete -pluralonly ${MOUSECFG_TR_DIRS}
          -ts "${CMAKE_SOURCE_DIR}/lang/${MOUSECFG_TS_SOURCE_LANG}.ts"
  WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  COMMENT "Updating the translation sources"
  VERBATIM)

if(MOUSECFG_TESTS)
  add_test(NAME tst_translations_complete
    COMMAND ${CMAKE_COMMAND} -DLUPDATE=${MOUSECFG_LUPDATE} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DWORK_DIR=${CMAKE_BINARY_DIR}/translations-check -DSOURCE_LANG=${MOUSECFG_TS_SOURCE_LANG}
            "-DTRANSLATED=${MOUSECFG_TS_TRANSLATED}" -P ${CMAKE_SOURCE_DIR}/cmake/CheckTranslations.cmake)
  set_tests_properties(tst_translations_complete PROPERTIES LABELS unit TIMEOUT 120)
endif()
