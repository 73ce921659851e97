# Windows-side tests: a test program that runs in a Wine prefix beside the
# wizard and drives it. Each test case is one ctest test in a throwaway
# prefix (tests/wine/run-in-prefix.sh).

add_executable(placeholder_dpinst WIN32 demo/placeholder_dpinst.cpp)
target_link_options(placeholder_dpinst PRIVATE -static -s)

# A DLL that leaves a marker file when it is loaded, planted beside the
# wizard under the names of the DLLs it loads.
add_library(planted_dll SHARED tests/wine/planted_dll.cpp)
set_target_properties(planted_dll PROPERTIES PREFIX "" OUTPUT_NAME planted)
target_link_options(planted_dll PRIVATE -static -s)

set(GTEST_SOURCE_DIR /usr/src/googletest/googletest)
add_library(gtest_windows STATIC ${GTEST_SOURCE_DIR}/src/gtest-all.cc)
target_include_directories(gtest_windows SYSTEM BEFORE PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/gtest_port)
target_include_directories(gtest_windows SYSTEM PUBLIC ${GTEST_SOURCE_DIR}/include PRIVATE ${GTEST_SOURCE_DIR})
target_compile_options(gtest_windows PRIVATE -w)

add_executable(wizard_wine_tests
    tests/wine/main.cpp
    tests/wine/wizard_driver.cpp
    tests/wine/spooler_view.cpp
    tests/wine/navigation_test.cpp
    tests/wine/os_page_test.cpp
    tests/wine/settings_page_test.cpp
    tests/wine/port_page_test.cpp
    tests/wine/create_port_test.cpp
    tests/wine/install_test.cpp
    tests/wine/dll_loading_test.cpp
    tests/wine/resources_test.cpp
)
target_include_directories(wizard_wine_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine)
target_compile_options(wizard_wine_tests PRIVATE -fexec-charset=GBK)
target_compile_definitions(wizard_wine_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)
target_link_options(wizard_wine_tests PRIVATE -static)
target_link_libraries(wizard_wine_tests PRIVATE gtest_windows winspool version comctl32 gdi32 user32 advapi32)

# The README's run command walks through the wizard with this on a machine
# without a display.
add_executable(walkthrough demo/walkthrough.cpp tests/wine/wizard_driver.cpp tests/wine/spooler_view.cpp)
target_include_directories(walkthrough PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine)
target_compile_options(walkthrough PRIVATE -fexec-charset=GBK)
target_compile_definitions(walkthrough PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)
target_link_options(walkthrough PRIVATE -static)
target_link_libraries(walkthrough PRIVATE gtest_windows winspool comctl32 gdi32 user32 advapi32)

set(WINE_BENCH_DIR ${CMAKE_CURRENT_BINARY_DIR}/wine-bench)
set(WINE_RUNNER ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/run-in-prefix.sh)
set_target_properties(wizard_wine_tests PROPERTIES CROSSCOMPILING_EMULATOR
    "${WINE_RUNNER};${WINE_BENCH_DIR};${CMAKE_CURRENT_BINARY_DIR}")
add_dependencies(wizard_wine_tests OstrelSetup placeholder_dpinst planted_dll)

add_test(NAME wine.bench.start COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/bench.sh start ${WINE_BENCH_DIR})
add_test(NAME wine.bench.stop COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/bench.sh stop ${WINE_BENCH_DIR})
set_tests_properties(wine.bench.start PROPERTIES FIXTURES_SETUP wine_bench TIMEOUT 300)
set_tests_properties(wine.bench.stop PROPERTIES FIXTURES_CLEANUP wine_bench)

include(GoogleTest)
get_target_property(WINE_TEST_SOURCES wizard_wine_tests SOURCES)
gtest_add_tests(TARGET wizard_wine_tests SOURCES ${WINE_TEST_SOURCES} TEST_PREFIX "wine." TEST_LIST WINE_TESTS)
set_tests_properties(${WINE_TESTS} PROPERTIES FIXTURES_REQUIRED wine_bench TIMEOUT 180)
