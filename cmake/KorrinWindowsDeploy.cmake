# The self-contained Windows folder of the window program, made by the install step:
#   cmake --build --preset windows-mingw
#   cmake --install build-mingw --prefix dist/Korrin
# puts into one folder: korrin.exe and korrin-cli.exe, the help pages (help/, where the window
# looks first), the Qt DLLs and plugins, the German Qt translation translations/qtbase_de.qm and
# the compiler's runtime DLLs. korrin.ini, the settings file, is written beside korrin.exe by the
# program itself ("Ende").
#
# The Qt libraries and plugins are found by Qt's own deployment script (it runs windeployqt
# with the options that fit this Qt), so nothing here names a Qt DLL or a plugin folder.

# Everything lies in the folder itself: no bin/ below it.
set(CMAKE_INSTALL_BINDIR .)
set(CMAKE_INSTALL_LIBDIR .)

install(TARGETS korrin korrin-cli RUNTIME DESTINATION .)
install(DIRECTORY "${KORRIN_HELP_DIR}/" DESTINATION help)

# Qt's translations are left to us: the deployment tool would merge them into qt_de.qm, and the
# program looks for the plain qtbase_de.qm by its Qt name.
qt_generate_deploy_app_script(
  TARGET korrin
  OUTPUT_SCRIPT korrin_deploy_script
  NO_TRANSLATIONS
  NO_UNSUPPORTED_PLATFORM_ERROR)
install(SCRIPT "${korrin_deploy_script}")
set(korrin_qt_translations "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}")
install(FILES "${korrin_qt_translations}/qtbase_de.qm" DESTINATION translations)

# MSVC: vcruntime140.dll, msvcp140.dll and friends; MinGW: libstdc++, libgcc, winpthread.
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
if(MINGW)
  get_filename_component(korrin_mingw_bin "${CMAKE_CXX_COMPILER}" DIRECTORY)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_LIBS
      "${korrin_mingw_bin}/libstdc++-6.dll" "${korrin_mingw_bin}/libgcc_s_seh-1.dll"
      "${korrin_mingw_bin}/libwinpthread-1.dll")
endif()
include(InstallRequiredSystemLibraries)
