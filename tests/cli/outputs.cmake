# krovel-cli against lost output and odd inputs: a full device or file system gives a
# non-zero status and a message naming the file and the cause, and never destroys the
# previous PDF; a closed pipe ends it silently by SIGPIPE; a named pipe is refused at
# once; print draws with the axis ranges of the program's settings file or of --settings.
# Run by CTest with -DCLI=<krovel-cli> -DDATA=<tests/cli/data>.

find_program(PDFTOTEXT pdftotext REQUIRED)
set(work ${CMAKE_CURRENT_BINARY_DIR}/cli-outputs-test)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/home)
set(file ${DATA}/show-example.krvx)

# Runs a shell command line with a time limit: nothing here may wait for input.
function(run_sh script)
  execute_process(COMMAND sh -c "${script}" OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE rc TIMEOUT 60)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

function(expect_failure what pattern)
  if(rc EQUAL 0 OR NOT rc MATCHES "^[0-9]+$" OR NOT err MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: status '${rc}', stderr '${err}'")
  endif()
endfunction()

foreach(command "show ${file}" "report ${file} --format csv" "decode --bulk")
  run_sh("'${CLI}' ${command} < ${DATA}/decode-bulk.bin > /dev/full")
  expect_failure("${command} > /dev/full" "cannot write standard output: No space left on device")
endforeach()

# A reader that is already gone: the shell's convention, as for cat: SIGPIPE ends the
# command without a word (the read end is closed before krovel-cli starts, so no race).
run_sh("perl -e '\$SIG{PIPE} = \"DEFAULT\"; pipe(R, W) or die; close R; \
open(STDOUT, \">&W\") or die; exec @ARGV' '${CLI}' show ${file}; echo $?")
if(NOT out STREQUAL "141\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "show into a closed pipe: '${out}', stderr '${err}'")
endif()

# A full file system: writes beyond 8 KiB fail (the signal that would end the process is
# ignored, so the write itself reports it). The old PDF survives, no temporary is left.
set(pdf ${work}/page.pdf)
file(WRITE ${pdf} "old page")
run_sh("trap '' XFSZ; ulimit -f 16; exec env QT_QPA_PLATFORM=offscreen KROVEL_HOME=${work}/home \
'${CLI}' print ${file} --mode digital -o ${pdf}")
expect_failure("print onto a full file system" "cannot write ${pdf}: File too large")
file(READ ${pdf} kept)
file(GLOB leftovers ${work}/page.pdf.*)
if(NOT kept STREQUAL "old page" OR leftovers)
  message(FATAL_ERROR "print onto a full file system left '${kept}' and '${leftovers}'")
endif()

# A named pipe with no writer: refused at once with the program's message.
run_sh("mkfifo ${work}/pipe.krvx && '${CLI}' show ${work}/pipe.krvx")
if(NOT rc EQUAL 2 OR NOT err MATCHES "^krovel-cli show: [^\n]*pipe.krvx: Error opening file\n$")
  message(FATAL_ERROR "show of a pipe: status '${rc}', stderr '${err}'")
endif()

# The exercise graph of mean power: its axis is labelled by the power row of the ranges.
function(print_page settings_args expect_label refuse_label)
  file(REMOVE ${pdf})
  run_sh("env QT_QPA_PLATFORM=offscreen KROVEL_HOME=${work}/home '${CLI}' print ${file} \
--mode exercise --param-y 2 ${settings_args} -o ${pdf} && '${PDFTOTEXT}' -layout ${pdf} -")
  string(FIND "${out}" "${expect_label}" has)
  string(FIND "${out}" "${refuse_label}" hasNot)
  if(NOT rc EQUAL 0 OR has EQUAL -1 OR NOT hasNot EQUAL -1)
    message(FATAL_ERROR "print ${settings_args}: status ${rc}, ${err}\n${out}")
  endif()
endfunction()
print_page("" "1800" "900") # no settings file: the defaults, 0 to 2000 by 200
print_page("--settings ${DATA}/axes-power-900.krovlcfg" "900" "1800")
file(COPY_FILE ${DATA}/axes-power-900.krovlcfg ${work}/home/default.krovlcfg)
print_page("" "900" "1800") # the program's own settings file

run_sh("'${CLI}' print ${file} --mode digital --settings ${work}/absent.krovlcfg -o ${pdf}")
expect_failure("print with a missing --settings file" "absent.krovlcfg: Error opening file")
file(REMOVE_RECURSE ${work})
