# One helper adds every test: GoogleTest main, the shared test support, offscreen Qt, a
# private HOME and settings directory, so no test reads or writes the user's
# configuration.

# What every test process (and every program a test starts) runs with. Inert in a
# build without sanitizers; in one with them, the leak checker skips the one-time
# allocations of the font and system libraries listed in lsan.supp, and undefined
# behaviour is reported with a stack.
set(TAVOKIT_SANITIZER_TEST_ENV
  "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=print_stacktrace=1"
  "TSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/tsan.supp:second_deadlock_stack=1")

# tavokit_add_test(NAME SOURCES ... [LIBS ...] [TIMEOUT seconds] [LABELS ...])
# Every test has a time limit (300 s unless given). The label "threads" marks the suites
# where threads meet: ./run test repeats them, ./run tsan runs them under ThreadSanitizer.
function(tavokit_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TAVOKIT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TAVOKIT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(home "${CMAKE_CURRENT_BINARY_DIR}/home-${name}")
  file(MAKE_DIRECTORY "${home}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_RUNTIME_DIR=${home};${TAVOKIT_SANITIZER_TEST_ENV}")
endfunction()
