# cmake -DFUZZER=... -DCORPUS=... -DWORK=... -DSECONDS=... [-DMAX_LEN=...] -P RunFuzzer.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")
file(GLOB seeds "${CORPUS}/*")
file(COPY ${seeds} DESTINATION "${WORK}/corpus")
set(max_len)
if(MAX_LEN)
  set(max_len -max_len=${MAX_LEN})
endif()
execute_process(
  COMMAND "${FUZZER}" ${max_len} -max_total_time=${SECONDS} -detect_leaks=1 -timeout=20 -rss_limit_mb=2048
          -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/ "${WORK}/corpus"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzzer stopped with ${result}; the input that did it is in ${WORK}/artifacts")
endif()
