# krovel-cli starts without Qt: the libraries it needs at run time include none of Qt
# (Core, Gui, Widgets, D-Bus, ...) nor the device libraries (only `print` draws, and it
# is a program of its own). Run by CTest with -DPROGRAM= (krovel-cli).
cmake_minimum_required(VERSION 3.25)
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT dynamic MATCHES "\\(NEEDED\\)")
  message(FATAL_ERROR "cannot read the libraries of ${PROGRAM}:\n${dynamic}")
endif()
foreach(library libQt libicu libftdi)
  if(dynamic MATCHES "\\[${library}")
    message(FATAL_ERROR "${PROGRAM} loads ${library} at start:\n${dynamic}")
  endif()
endforeach()
