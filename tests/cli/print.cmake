# krovel-cli print: the printed report of a measurement file as a PDF, read back with
# pdftotext (in a comma-decimal locale, so the table shows the user's separator as in
# the program), and the refusals of bad arguments.
# Run by CTest with -DCLI=<krovel-cli> -DDATA=<tests/cli/data>.

find_program(PDFTOTEXT pdftotext REQUIRED)
set(pdf ${CMAKE_CURRENT_BINARY_DIR}/cli-print-test.pdf)

function(run_print)
  file(REMOVE ${pdf})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=de_DE.UTF-8 TZ=UTC
                          QT_QPA_PLATFORM=offscreen ${CLI} print ${ARGN}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

# Prints and checks that every expected text is on the page.
function(expect_page args)
  run_print(${args} -o ${pdf})
  if(NOT rc EQUAL 0 OR NOT EXISTS ${pdf})
    message(FATAL_ERROR "print ${args}: status ${rc}\n${err}")
  endif()
  execute_process(COMMAND ${PDFTOTEXT} -layout ${pdf} - OUTPUT_VARIABLE page RESULT_VARIABLE prc)
  foreach(text ${ARGN})
    string(FIND "${page}" "${text}" at)
    if(prc OR at EQUAL -1)
      message(FATAL_ERROR "print ${args}: '${text}' is not on the page:\n${page}")
    endif()
  endforeach()
endfunction()

set(file ${DATA}/show-example.krvx)
expect_page("${file};--mode;digital"
            "Name: Müller" "Exercice: Squat" "Group:" "Set No: 1" "Load: 60 kg"
            "Date: 01/01/2010" "Time: 00:00:00" "Lower limit 90 %" "Upper limit 100 %"
            "Rep No" "Weight (kg)" "v mean(m/s)" "P max(W)"
            "1- 1" "60,00" "588,60" "1,00" "750,50" "2- 2" "529,74" "0,10")
expect_page("${file};--mode;digital;--interval;2" "1- 2" "559,17" "Load: 60 kg")
expect_page("${file};--mode;exercise;--param-y;2" "mean P(W)" "REP (No)" "Set No: 1")
expect_page("${file};--mode;diagnostic;--series;2" "m (kg)" "mean v(m/s)" "Set No: 2"
            "Load: 62 kg" "Lower limit 85 %")

foreach(case "--mode;sideways;-o;${pdf}|unknown mode 'sideways'"
             "--mode;digital|no output file given"
             "--mode;digital;--series;3;-o;${pdf}|series 3 is out of range"
             "--mode;digital;--interval;x;-o;${pdf}|--interval needs a whole number"
             "--mode;exercise;--param-y;4;-o;${pdf}|--param-y 4 is out of range")
  string(REPLACE "|" ";" parts "${case}")
  list(POP_BACK parts message)
  run_print(${file} ${parts})
  string(FIND "${err}" "${message}" at)
  if(NOT rc EQUAL 2 OR at EQUAL -1 OR EXISTS ${pdf})
    message(FATAL_ERROR "print ${parts}: status ${rc}, stderr '${err}'")
  endif()
endforeach()

run_print(${DATA}/missing.krvx --mode digital -o ${pdf})
if(NOT rc EQUAL 2 OR NOT err MATCHES "missing.krvx: No such file or directory")
  message(FATAL_ERROR "missing file: status ${rc}, stderr '${err}'")
endif()
file(REMOVE ${pdf})
