# Cross build of QvBarQR.dll for 32-bit Windows with Debian's MinGW-w64 compilers
# (scripts/build-windows-dll.sh uses it; scripts/install-deps.sh installs them):
#   cmake -S . -B build-win32 --toolchain cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QVBARQR_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
