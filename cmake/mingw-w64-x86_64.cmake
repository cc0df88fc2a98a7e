# Cross build of QvBarQR.dll for 64-bit Windows with Debian's MinGW-w64 compilers
# (scripts/build-windows-dll.sh uses it; scripts/install-deps.sh installs them):
#   cmake -S . -B build-win64 --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QVBARQR_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
