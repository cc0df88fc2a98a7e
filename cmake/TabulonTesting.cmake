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
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${TABULON_TEST_ENVIRONMENT}" TIMEOUT 600)
endfunction()

set(TABULON_TEST_ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;TABULON_BUILD_DIR=${CMAKE_BINARY_DIR};TABULON_SOURCE_DIR=${CMAKE_SOURCE_DIR};LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")

# The throwaway PostgreSQL cluster of the test run (fixture pg_cluster, started
# and stopped by scripts/pg-test-cluster.sh in tests/CMakeLists.txt).
set(TABULON_PG_CLUSTER_DIR ${CMAKE_BINARY_DIR}/pg-test-cluster)

# tabulon_also_on_server(NAME ...): runs each test once more as NAME_pg, with
# every database it makes on the throwaway cluster instead of in a file.
function(tabulon_also_on_server)
    foreach(name ${ARGN})
        add_test(NAME ${name}_pg COMMAND ${name})
        set_tests_properties(${name}_pg PROPERTIES
            ENVIRONMENT "${TABULON_TEST_ENVIRONMENT};TABULON_TEST_PG_DIR=${TABULON_PG_CLUSTER_DIR}"
            FIXTURES_REQUIRED pg_cluster TIMEOUT 600)
    endforeach()
endfunction()

# tabulon_add_server_test(NAME SOURCES ... [LIBS ...]): a test that needs the
# server and runs only on the throwaway cluster.
function(tabulon_add_server_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    tabulon_also_on_server(${name})
endfunction()
