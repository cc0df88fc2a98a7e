# Cross build of QvBarQR.dll for 32-bit Windows with Debian's MinGW-w64 compilers
# (scripts/build-windows-dll.sh uses it; scripts/install-deps.sh installs them):
#   cmake -S . -B build-win32 --toolchain cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QVBARQR_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QVBARQR_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${QVBARQR_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${QVBARQR_MINGW_TRIPLET}-windres)
set(CMAKE_DLLTOOL ${QVBARQR_MINGW_TRIPLET}-dlltool)

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QVBARQR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
