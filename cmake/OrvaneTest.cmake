# orvane_add_test(TestName SOURCES a.cpp ... LIBS lib ...)
# Builds one QtTest executable and registers it with ctest, headless.
function(orvane_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_compile_definitions(${name} PRIVATE
        ORVANE_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
        ORVANE_SHARED_DATA="${ORVANE_SHARED_DATA}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
        TIMEOUT 300)
endfunction()
