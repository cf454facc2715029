# Reads the writable variables of static storage that the program's libraries define
# and fails on one that tests/structure/process_state_allowlist.txt does not name: a
# new process-wide variable gets an owner (docs/ARCHITECTURE.md, "Process state and its
# owners") or a line in that list saying why it has none.
#
# Writable means nm's classes b, B, d and D outside the sections that are read-only
# once relocated (.data.rel.ro*): vtables, typeinfo and Qt's meta-objects live there.
# A local static's guard variable is not state of its own (its variable is checked), and
# the instrumentation of sanitizer builds is not the program's.
# Run by CTest with -DNM= (the nm program), -DLIBRARIES= (the static libraries,
# ','-separated) and -DALLOW= (the allow-list).

cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" LIBRARIES "${LIBRARIES}")

# The allow-list: "<library>  <symbol>  # owner or reason" a line.
file(STRINGS ${ALLOW} lines)
set(allowed "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "#.*$" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  string(REGEX MATCH "^([^ ]+) +(.+)$" match "${line}")
  if(NOT match)
    message(FATAL_ERROR "${ALLOW}: not '<library>  <symbol>  # reason': ${line}")
  endif()
  list(APPEND allowed "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
endforeach()

set(offences "")
set(seen "")
set(checked 0)
foreach(library IN LISTS LIBRARIES)
  if(NOT EXISTS ${library})
    message(STATUS "not built, not checked: ${library}")
    continue()
  endif()
  get_filename_component(name ${library} NAME_WE)
  string(REGEX REPLACE "^lib" "" name ${name})
  execute_process(COMMAND ${NM} -C --defined-only -f sysv ${library}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    message(FATAL_ERROR "${NM} cannot read ${library}")
  endif()
  math(EXPR checked "${checked} + 1")
  # One symbol a line: name|value|class|type|size|line|section. Names hold no '|' but
  # may hold ';', which a CMake list would split on.
  string(REPLACE ";" "\\;" symbols "${symbols}")
  string(REPLACE "\n" ";" symbols "${symbols}")
  foreach(row IN LISTS symbols)
    if(NOT row MATCHES "^([^|]*)\\|[^|]*\\| *([bBdD]) *\\|[^|]*\\|[^|]*\\|[^|]*\\|(.*)$")
      continue()
    endif()
    string(STRIP "${CMAKE_MATCH_1}" symbol)
    string(STRIP "${CMAKE_MATCH_3}" section)
    if(section MATCHES "^\\.data\\.rel\\.ro"
       OR symbol MATCHES "^(guard variable for |vtable for |typeinfo |VTT for )"
       OR symbol MATCHES "staticMetaObject|qt_meta_"
       OR symbol MATCHES "^_*(asan|odr_asan|sancov|tsan|ubsan|gcov|llvm)")
      continue()
    endif()
    list(APPEND seen "${name} ${symbol}")
    list(FIND allowed "${name} ${symbol}" at)
    if(at EQUAL -1)
      string(APPEND offences "  ${name}  ${symbol}  (${section})\n")
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no library to check")
endif()
if(offences)
  message(FATAL_ERROR "process-wide variables without an owner in ${ALLOW}:\n${offences}")
endif()
# With every library built, a listed variable that no longer exists is a stale line.
list(LENGTH LIBRARIES all)
if(checked EQUAL all)
  set(stale "")
  foreach(entry IN LISTS allowed)
    list(FIND seen "${entry}" at)
    if(at EQUAL -1)
      string(APPEND stale "  ${entry}\n")
    endif()
  endforeach()
  if(stale)
    message(FATAL_ERROR "${ALLOW} lists variables that no longer exist:\n${stale}")
  endif()
endif()
message(STATUS "${checked} libraries: every process-wide variable is listed")
