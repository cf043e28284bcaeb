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
    set(env "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
    if(ORVANE_SANITIZE)
        list(APPEND env ${ORVANE_SANITIZER_ENVIRONMENT})
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# What the sanitizer build's tests (and the programs they start) run with: leaks reported at
# exit, a finding fatal with its stack, and the few leaks of Qt's own that are not ours
# suppressed (tests/sanitizers/lsan.supp says which and why).
set(ORVANE_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:check_initialization_order=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/../tests/sanitizers/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
