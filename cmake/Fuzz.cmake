# The fuzz target, a replay of the corpus, and a bounded fuzzing run, all through CTest.
set(STMTPICK_FUZZ_SECONDS 60 CACHE STRING "How long the CTest fuzzing run lasts")
set(STMTPICK_CORPUS ${CMAKE_SOURCE_DIR}/planfile/fuzz_corpus)

add_executable(plan_fuzzer planfile/plan_fuzzer.cpp)
target_link_libraries(plan_fuzzer PRIVATE stmtpick_core stmtpick_testing)
target_link_options(plan_fuzzer PRIVATE -fsanitize=fuzzer)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-corpus ${CMAKE_BINARY_DIR}/fuzz-artifacts)
# Every seed and every input that ever failed, once each.
add_test(NAME fuzz_replay
  COMMAND plan_fuzzer -close_fd_mask=2 -runs=0 ${STMTPICK_CORPUS})
# New inputs go to the build's corpus; a failing one is saved under fuzz-artifacts/.
add_test(NAME fuzz_run
  COMMAND plan_fuzzer -close_fd_mask=2 -max_total_time=${STMTPICK_FUZZ_SECONDS} -timeout=10
          -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1
          -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-artifacts/
          ${CMAKE_BINARY_DIR}/fuzz-corpus ${STMTPICK_CORPUS})
set_tests_properties(fuzz_run PROPERTIES TIMEOUT 240 DEPENDS fuzz_replay)
