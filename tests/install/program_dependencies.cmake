# Fails unless every target in NEEDED is among DEPENDENCIES, the targets that
# building the program alone (`cmake --build build --target tabulon`) builds
# first. Without the layouts every print run of such a program failed with
# "プリンタ用紙サイズ設定エラー：103".
#
#   cmake "-DDEPENDENCIES=a;b" "-DNEEDED=a;c" -P program_dependencies.cmake

cmake_minimum_required(VERSION 3.16)

foreach(needed IN LISTS NEEDED)
    if(NOT needed IN_LIST DEPENDENCIES)
        message(FATAL_ERROR "building tabulon does not build ${needed}; it builds: ${DEPENDENCIES}")
    endif()
endforeach()
