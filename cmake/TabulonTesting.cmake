find_package(GTest REQUIRED)

# tabulon_add_test(NAME SOURCES ... [LIBS ...] [GUI])
# One test executable per unit, registered with CTest. GUI tests run on the
# offscreen platform with a QApplication made by the shared test main.
function(tabulon_add_test name)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    if(T_GUI)
        target_link_libraries(${name} PRIVATE ${T_LIBS} tabulon_gui_test_main)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TABULON_BUILD_DIR=${CMAKE_BINARY_DIR};TABULON_SOURCE_DIR=${CMAKE_SOURCE_DIR};LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp"
        TIMEOUT 600)
endfunction()
