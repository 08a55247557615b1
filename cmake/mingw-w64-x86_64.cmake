# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers.
#
# The "-posix" compilers are the ones with std::thread and std::mutex, which GoogleTest
# and Qt need; Debian's default x86_64-w64-mingw32-g++ uses win32 threads and lacks them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TACTORA_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TACTORA_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TACTORA_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${TACTORA_MINGW_TARGET}-windres)

# Libraries and packages come only from the MinGW tree and from prefixes the caller adds
# with -DCMAKE_FIND_ROOT_PATH (a Qt built for MinGW); programs run here are the build host's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TACTORA_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Linked statically, a program needs none of MinGW's runtime DLLs beside it; without them
# Wine and Windows end it before main() and it exits with no message.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest runs the Windows programs under Wine, in a prefix of the build folder's own so that
# no user's ~/.wine is touched; scripts create the prefix once before the first test.
set(TACTORA_WINE /usr/lib/wine/wine64)
if(EXISTS ${TACTORA_WINE} AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all ${TACTORA_WINE})
endif()
