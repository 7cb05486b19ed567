# What `cmake --install` lays out besides the executables (each installs itself
# through mousecfg_app_executable), and the Debian package built from it.
#
#   <prefix>/lib/mousecfg/   executables, DefaultProfile.bin, Configs/ (the
#                            shipped settings each user's folder is seeded from),
#                            skin/, lang/, and the marker of an installed copy
#   <prefix>/bin/            links to mousecfg and mousecfgctl
#   <prefix>/share/          desktop entry, icons, AppStream metadata, manual
#                            pages, bash completion, copyright and changelog

set(linux "${CMAKE_SOURCE_DIR}/data/linux")
set(MOUSECFG_APP_ID org.mousecfg.mousecfg)

install(FILES "${MOUSECFG_DATA_DIR}/DefaultProfile.bin" "${linux}/mousecfg-installed"
        DESTINATION "${MOUSECFG_INSTALL_APPDIR}")
install(DIRECTORY "${MOUSECFG_DATA_DIR}/Configs" DESTINATION "${MOUSECFG_INSTALL_APPDIR}"
        PATTERN ".keep" EXCLUDE)
install(DIRECTORY "${CMAKE_SOURCE_DIR}/skin" DESTINATION "${MOUSECFG_INSTALL_APPDIR}"
        PATTERN "README.md" EXCLUDE)
# The compiled translations, once the build assembles them.
install(DIRECTORY "${MOUSECFG_APPDIR}/lang" DESTINATION "${MOUSECFG_INSTALL_APPDIR}" OPTIONAL)

install(FILES "${linux}/${MOUSECFG_APP_ID}.desktop" DESTINATION share/applications)
install(FILES "${linux}/${MOUSECFG_APP_ID}.metainfo.xml" DESTINATION share/metainfo)
install(DIRECTORY "${linux}/icons/hicolor" DESTINATION share/icons)
install(FILES "${linux}/mousecfgctl.bash" DESTINATION share/bash-completion/completions RENAME mousecfgctl)
install(FILES "${linux}/copyright" DESTINATION share/doc/mousecfg)

# Debian wants manual pages and changelogs compressed, without time stamps.
set(gzipped "")
foreach(page mousecfg.1 mousecfgctl.1 changelog)
  set(out "${CMAKE_BINARY_DIR}/share/${page}.gz")
  add_custom_command(OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/share"
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh "${linux}/${page}" "${out}"
    DEPENDS "${linux}/${page}"
    VERBATIM)
  list(APPEND gzipped "${out}")
endforeach()
add_custom_target(compressed-docs ALL DEPENDS ${gzipped})
install(FILES "${CMAKE_BINARY_DIR}/share/mousecfg.1.gz" "${CMAKE_BINARY_DIR}/share/mousecfgctl.1.gz"
        DESTINATION share/man/man1)
install(FILES "${CMAKE_BINARY_DIR}/share/changelog.gz" DESTINATION share/doc/mousecfg)

# cpack -G DEB in the build folder: everything above except the simulator
# component. The shared libraries' packages become the dependencies.
# Packaging follows a finished build (scripts/check-package.sh runs after the
# tests): cpack need not walk the whole build again first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mousecfg)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "mousecfg maintainers <maintainers@mousecfg.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for wireless gaming mice")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Edits the five on-board profiles of a family of wireless gaming mice (DPI
levels, report rate, lighting, button functions, macros, pointer and scroll
speed), writes only what changed to the mouse with verified packets, shows
battery and connection state and lives in the system tray.

The command line mousecfgctl shows the mouse's state (also as JSON) and
applies and exports configuration files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# the fonts Config.ini names for the shipped languages
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-wqy-microhei")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
include(CPack)
