# A test program's verdict comes from gtest's own lines, not its exit code:
# under Wine a program that crashed can end with 0. It passes when gtest says
# every test passed, and fails on a failed test's line or Wine's report of a
# crash (which may come after the passed line). The timeout ends a program
# that hangs long before CTest's default would; it wins over --timeout.
function(scribbit_gtest_verdict test timeout)
  set_tests_properties(${test} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|wine: Unhandled"
    TIMEOUT ${timeout})
endfunction()
