# krovel-cli decode: device byte streams on standard input decoded into the JSON table
# (in a comma-decimal locale, to prove numbers keep their point), and the refusals of
# transfers the import would not take.
# Run by CTest with -DCLI=<krovel-cli> -DDATA=<tests/cli/data>.

function(run_decode input)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=de_DE.UTF-8 ${CLI} decode ${ARGN}
                  INPUT_FILE ${DATA}/${input}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

foreach(case "decode-live.bin;decode-live-skip.json;--live;--skip-first-marker"
             "decode-live.bin;decode-live.json;--live"
             "decode-bulk.bin;decode-bulk.json;--bulk;--start-time;1262304000")
  list(POP_FRONT case input expected_file)
  run_decode(${input} ${case})
  file(READ ${DATA}/${expected_file} expected)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "decode ${case} < ${input} printed (status ${rc}):\n${out}${err}\n"
                        "expected:\n${expected}")
  endif()
endforeach()

foreach(case "decode-bulk-truncated.bin;incomplete transfer: 10 of 22 bytes"
             "decode-bulk-short.bin;transfer too short: 3 bytes declared")
  list(GET case 0 input)
  list(GET case 1 message)
  run_decode(${input} --bulk)
  if(NOT rc EQUAL 2 OR NOT err STREQUAL "${message}\n" OR NOT out STREQUAL "")
    message(FATAL_ERROR "${input}: status ${rc}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()

run_decode(decode-live.bin --bulk --start-time 12x)
if(NOT rc EQUAL 2 OR NOT out STREQUAL "")
  message(FATAL_ERROR "a bad start time was taken: status ${rc}, stdout '${out}'")
endif()
