# Cross build for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DKORRIN_GUI=OFF -DKORRIN_BENCH=OFF
# Debian has no Qt for Windows, so this builds the core libraries, korrin-cli and the core and
# command-line tests. scripts/windows-check does all of it and runs the tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORRIN_MINGW_TRIPLE x86_64-w64-mingw32)
# The "posix" variants: std::thread and std::mutex need the POSIX thread model.
set(CMAKE_C_COMPILER ${KORRIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORRIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KORRIN_MINGW_TRIPLE}-windres)

# Libraries and headers only from the MinGW tree, never the host's /usr/include.
set(CMAKE_FIND_ROOT_PATH /usr/${KORRIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime linked in: each .exe runs without libstdc++, libgcc or winpthread DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest (and any build step that runs a built program) runs the .exe files under Wine.
find_program(KORRIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KORRIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORRIN_WINE})
endif()
