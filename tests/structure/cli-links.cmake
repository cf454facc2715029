# krovel-cli starts without Qt Gui: the libraries it needs at run time include Qt Core
# but none of Qt Gui, Widgets, D-Bus or the device libraries (only `print` draws, and it
# is a program of its own). Run by CTest with -DPROGRAM= (krovel-cli).
cmake_minimum_required(VERSION 3.25)
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT dynamic MATCHES "libQt6Core")
  message(FATAL_ERROR "cannot read the libraries of ${PROGRAM}:\n${dynamic}")
endif()
foreach(library libQt6Gui libQt6Widgets libQt6DBus libQt6SerialPort libftdi)
  if(dynamic MATCHES "\\[${library}")
    message(FATAL_ERROR "${PROGRAM} loads ${library} at start:\n${dynamic}")
  endif()
endforeach()
