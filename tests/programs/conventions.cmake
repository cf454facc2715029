# The command-line conventions of every program and every krovel-cli command: --help
# on standard output with status 0, --version, a refused option as one line on standard
# error with status 2, and --opt=value read like --opt value. krovel answers all of
# these without a display.
# Run by CTest with -DKROVEL=, -DCLI=, -DDEVSIM= (the programs), -DVERSION=, -DDATA=.

function(run)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          --unset=QT_QPA_PLATFORM ${ARGN}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

# The commands, as krovel-cli's own help lists them.
run(${CLI} --help)
string(REGEX MATCHALL "\n  krovel-cli [a-z-]+" listed "${out}")
set(commands "${KROVEL}" "${CLI}" "${DEVSIM}")
foreach(line ${listed})
  string(REGEX REPLACE ".* " "" name "${line}")
  list(APPEND commands "${CLI} ${name}")
endforeach()
list(LENGTH commands count)
if(count LESS 5)
  message(FATAL_ERROR "krovel-cli --help lists no commands:\n${out}")
endif()

foreach(command ${commands})
  separate_arguments(words UNIX_COMMAND "${command}")
  list(GET words 0 program)
  get_filename_component(program ${program} NAME)
  set(sub ${words})
  list(POP_FRONT sub)
  string(JOIN " " typed ${program} ${sub})

  run(${words} --help)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^Usage: ${typed} " OR NOT err STREQUAL "")
    message(FATAL_ERROR "${typed} --help: status ${rc}, stdout '${out}', stderr '${err}'")
  endif()

  run(${words} --version)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${typed} --version: status ${rc}, stdout '${out}', stderr '${err}'")
  endif()

  run(${words} --no-such-option=1)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines lineCount)
  if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT lineCount EQUAL 1
     OR NOT err MATCHES "^${typed}: .*no-such-option")
    message(FATAL_ERROR "${typed} --no-such-option: status ${rc}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()

# --opt=value is --opt value.
set(file ${DATA}/show-example.krvx)
run(${CLI} report ${file} --series 2 --format csv)
set(spaced "${out}")
run(${CLI} report ${file} --series=2 --format=csv)
if(NOT rc EQUAL 0 OR spaced STREQUAL "" OR NOT out STREQUAL spaced)
  message(FATAL_ERROR "--series=2 --format=csv (status ${rc}):\n${out}${err}\n--series 2:\n${spaced}")
endif()
