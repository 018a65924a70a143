# The self-contained Windows folder of the window program, made by the install step:
#   cmake --build --preset windows-mingw
#   cmake --install build-mingw --prefix dist/Korrin
# puts into one folder: korrin.exe and korrin-cli.exe, the help pages (help/, where the window
# looks first), the Qt DLLs and plugins (windeployqt), the German Qt translation
# translations/qtbase_de.qm and the compiler's runtime DLLs. korrin.ini, the settings file, is
# written beside korrin.exe by the program itself ("Ende").
get_target_property(korrin_qmake Qt6::qmake IMPORTED_LOCATION)
get_filename_component(korrin_qt_bin "${korrin_qmake}" DIRECTORY)
find_program(KORRIN_WINDEPLOYQT windeployqt HINTS "${korrin_qt_bin}" REQUIRED)
# The translations of this Qt (QT6_INSTALL_PREFIX and QT6_INSTALL_TRANSLATIONS come with Qt6).
set(korrin_qt_translations "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}")

install(TARGETS korrin korrin-cli RUNTIME DESTINATION .)
install(DIRECTORY "${KORRIN_HELP_DIR}/" DESTINATION help)
# windeployqt's own translation step would merge them into qt_de.qm; the plain file is
# installed instead, so that the program finds it by its Qt name.
install(FILES "${korrin_qt_translations}/qtbase_de.qm" DESTINATION translations)
install(CODE "
  execute_process(
    COMMAND \"${KORRIN_WINDEPLOYQT}\" --release --no-translations --no-system-d3d-compiler --no-opengl-sw
            --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${CMAKE_INSTALL_PREFIX}/korrin.exe\"
    COMMAND_ERROR_IS_FATAL ANY)
")
# MSVC: vcruntime140.dll, msvcp140.dll and friends; MinGW: libstdc++, libgcc, winpthread.
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
if(MINGW)
  get_filename_component(korrin_mingw_bin "${CMAKE_CXX_COMPILER}" DIRECTORY)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_LIBS
      "${korrin_mingw_bin}/libstdc++-6.dll" "${korrin_mingw_bin}/libgcc_s_seh-1.dll"
      "${korrin_mingw_bin}/libwinpthread-1.dll")
endif()
include(InstallRequiredSystemLibraries)
