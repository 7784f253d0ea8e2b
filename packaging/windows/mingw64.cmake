# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread model, which std::thread and Qt need). Used for Qt, the libraries
# under it and the game itself; packaging/windows/build-deps.sh passes the
# prefix of the cross-built libraries in CMAKE_PREFIX_PATH.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TREFOLIA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TREFOLIA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TREFOLIA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TREFOLIA_MINGW}-windres)
set(CMAKE_AR ${TREFOLIA_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TREFOLIA_MINGW}-ranlib CACHE FILEPATH "")

# Headers, libraries and CMake packages only from the MinGW tree and the
# prefixes given; programs (moc, rcc, the shell tools) from the host.
# The prefixes of the cross-built Qt and libraries (CMAKE_PREFIX_PATH) are
# roots too, so that their packages are found without re-rooting.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TREFOLIA_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
