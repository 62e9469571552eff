# Cross-build for 64-bit Windows with Debian's mingw-w64 (the POSIX thread
# model, for std::thread and std::mutex); the tests run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZANPEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZANPEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZANPEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZANPEL_MINGW_PREFIX}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ZANPEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must not offer the build machine's libraries (libsystemd).
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# One program with no DLL of the compiler beside it: KERNEL32 and msvcrt only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release program without its symbols: 1.6 MB instead of 3.4.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# add_test and gtest_discover_tests run the test programs through Wine, in a
# prefix and a home of the build folder's own (a first start makes the
# prefix; scripts/test-windows makes it before the tests), with the menu
# builder off, which would otherwise link folders of the home. The wine
# package puts the command on the PATH (wine64 alone does not).
find_program(ZANPEL_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wine/prefix
  HOME=${CMAKE_BINARY_DIR}/wine/home WINEDLLOVERRIDES=winemenubuilder.exe=d WINEDEBUG=-all
  ${ZANPEL_WINE})
