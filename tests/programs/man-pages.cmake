# Every command and option a program's --help lists appears in its man page: krovel-cli's
# commands as entries of its COMMANDS section, every --option (the commands' own too) in
# the text. Run by CTest with -DMAN=<man page folder> and -DKROVEL=, -DCLI=, -DPRINT=,
# -DDEVSIM= (the programs).

function(help)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          --unset=QT_QPA_PLATFORM ${ARGN} --help
                  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} --help: status ${rc}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# The page's text with roff's font changes and escaped hyphens undone.
function(read_page name)
  file(READ ${MAN}/${name}.1 page)
  string(REPLACE "\\-" "-" page "${page}")
  string(REGEX REPLACE "\\\\f[BIRP]" "" page "${page}")
  set(page "${page}" PARENT_SCOPE)
endfunction()

set(missing)
# The long options of a help text, each looked for in the page.
function(check_options page_name)
  read_page(${page_name})
  string(REGEX MATCHALL "\n  (-[a-zA-Z], )?--[a-z][a-z0-9-]*" options "${out}")
  foreach(option ${options})
    string(REGEX REPLACE ".*(--[a-z0-9-]+)$" "\\1" option "${option}")
    if(NOT page MATCHES "${option}([^a-z0-9-]|$)")
      list(APPEND missing "${page_name}.1: ${option} (${ARGN})")
    endif()
  endforeach()
  set(missing "${missing}" PARENT_SCOPE)
endfunction()

help(${KROVEL})
check_options(krovel krovel)
help(${DEVSIM})
check_options(krovel-devsim krovel-devsim)
help(${PRINT})
check_options(krovel-cli-print krovel-cli-print)

help(${CLI})
check_options(krovel-cli krovel-cli)
string(REGEX MATCHALL "\n  krovel-cli [a-z-]+" listed "${out}")
if(NOT listed)
  message(FATAL_ERROR "krovel-cli --help lists no commands:\n${out}")
endif()
read_page(krovel-cli)
foreach(line ${listed})
  string(REGEX REPLACE ".* " "" command "${line}")
  if(NOT page MATCHES "\n\\.TP\n\\.BI? \"?${command}[ \"]")
    list(APPEND missing "krovel-cli.1: the command ${command}")
  endif()
  help(${CLI} ${command})
  check_options(krovel-cli "krovel-cli ${command}")
endforeach()

if(missing)
  string(JOIN "\n" missing ${missing})
  message(FATAL_ERROR "missing from the man pages:\n${missing}")
endif()
