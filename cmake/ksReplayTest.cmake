# The test ks_replay_test registers (cmake -DGAME=... -DRECORDING=... -DSUMMARY=... -P <this>):
# the game replays the recording headless, exits with 0, says nothing on stderr, and its last line
# on stdout is the summary file's.
execute_process(COMMAND ${GAME} --replay ${RECORDING} --headless RESULT_VARIABLE code
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${GAME} --replay ${RECORDING} --headless ended with ${code}:\n${err}")
endif()
if(NOT err STREQUAL "")
  message(FATAL_ERROR "the replay said on stderr:\n${err}")
endif()
file(READ ${SUMMARY} expected)
string(STRIP "${expected}" expected)
string(STRIP "${out}" out)
string(REGEX MATCH "[^\n]*$" last "${out}")
if(NOT last STREQUAL expected)
  message(FATAL_ERROR "the replay ended with \"${last}\"; ${SUMMARY} says \"${expected}\"")
endif()
message(STATUS "${last}")
