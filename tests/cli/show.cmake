# krovel-cli show: the JSON of a measurement file (in a comma-decimal locale, to prove
# numbers keep their point), and the program's messages for files it refuses.
# Run by CTest with -DCLI=<krovel-cli> -DDATA=<tests/cli/data>.

function(run_show file)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=de_DE.UTF-8 ${CLI} show ${file}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

run_show(${DATA}/show-example.krvx)
file(READ ${DATA}/show-example.json expected)
if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "show printed (status ${rc}):\n${out}${err}\nexpected:\n${expected}")
endif()

foreach(case "show-truncated.krvx;Incompatible data" "missing.krvx;No such file or directory")
  list(GET case 0 name)
  list(GET case 1 message)
  run_show(${DATA}/${name})
  if(NOT rc EQUAL 2 OR NOT err STREQUAL "krovel-cli show: ${DATA}/${name}: ${message}\n"
     OR NOT out STREQUAL "")
    message(FATAL_ERROR "${name}: status ${rc}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()
