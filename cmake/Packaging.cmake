# Installation and the Debian package.
#   cmake --install build --prefix /usr/local     installs korrin, korrin-cli, help pages, examples,
#                                                 desktop entry, icon, MIME type, AppStream data, manual
#   scripts/package                               builds the Debian package with CPack
# The programs find their help pages relative to their own place (bin/../share/korrin/help),
# so nothing of the build machine is compiled in.
include(GNUInstallDirs)
# Installing (and cpack) takes what is built and does not build the tests first; scripts/package
# builds the installed targets.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KORRIN_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/korrin)
# The program's way from its bin folder to its data folder, for the core's help folder search.
file(RELATIVE_PATH korrin_data_from_bin /${CMAKE_INSTALL_BINDIR} /${KORRIN_DATA_DESTINATION})
target_compile_definitions(korrin_app PRIVATE KORRIN_DATA_FROM_BIN="${korrin_data_from_bin}")

install(TARGETS korrin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KORRIN_GUI)
  install(TARGETS korrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${KORRIN_HELP_DIR}/ DESTINATION ${KORRIN_DATA_DESTINATION}/help)
# The web version, one self-contained HTML file that opens in any browser (scripts/web writes it;
# scripts/package builds it first). Skipped when it has not been built.
set(KORRIN_WEB_PAGE ${PROJECT_SOURCE_DIR}/build-web/korrin.html CACHE FILEPATH "The web version's single file (scripts/web)")
install(FILES ${KORRIN_WEB_PAGE} DESTINATION ${KORRIN_DATA_DESTINATION} OPTIONAL)
file(GLOB korrin_examples ${PROJECT_SOURCE_DIR}/examples/*.hex)
install(FILES ${korrin_examples} ${PROJECT_SOURCE_DIR}/examples/plan.csv ${PROJECT_SOURCE_DIR}/examples/README.md
        DESTINATION ${KORRIN_DATA_DESTINATION}/examples)

# Desktop integration: the entry (German name, opens *.hex), the icon, the MIME type for *.hex
# (the freedesktop database has none), the AppStream data. Debian's triggers update the caches.
set(data ${PROJECT_SOURCE_DIR}/data)
install(FILES ${data}/de.korrin.Korrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/korrin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${data}/korrin-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME korrin.xml)
install(FILES ${data}/de.korrin.Korrin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page of korrin-cli, compressed as Debian wants it.
set(korrin_man ${CMAKE_BINARY_DIR}/man/korrin-cli.1.gz)
add_custom_command(
  OUTPUT ${korrin_man}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND gzip -9n -c ${data}/korrin-cli.1 > ${korrin_man}
  DEPENDS ${data}/korrin-cli.1
  COMMENT "Compressing the manual page of korrin-cli")
add_custom_target(korrin_manual ALL DEPENDS ${korrin_man})
install(FILES ${korrin_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Korrin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Firmware-Dateien von Modellbahn-Decodern bearbeiten")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Korrin öffnet die Intel-HEX-Firmware selbst gebauter Modellbahn-Decoder\n\
(Microchip-PIC), erkennt den Decodertyp, zeigt Adressen, Modi, CV-Register,\n\
Blinkmuster und Servokurven, lässt sie ändern und schreibt eine neue\n\
HEX-Datei. korrin-cli macht dasselbe auf der Kommandozeile.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Korrin <korrin@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries dpkg-shlibdeps finds: Qt's platform plugins (a window on X11/Wayland)
# and Qt's German texts.
if(KORRIN_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
endif()
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
