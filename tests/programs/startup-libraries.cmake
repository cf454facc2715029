# The window comes up without the libraries it needs only later: Qt Multimedia (signal
# sounds, when a live set starts) and Qt PrintSupport (at the first print, preview or page
# setup) come with the plugins, libftdi with the first link to the USB unit, and Qt Charts
# (with the OpenGL libraries it brings) is not used at all: the program draws its charts. krovel runs offscreen and writes what it has mapped once
# its window first painted.
# Run by CTest with -DKROVEL=<the program> -DSCRATCH=<scratch folder>.

# Libraries the window must not have mapped at start-up.
set(late_libraries
    libQt6Multimedia
    libQt6PrintSupport
    libQt6Charts
    libQt6OpenGL
    libftdi)

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/home)
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                        KROVEL_HOME=${SCRATCH}/home KROVEL_MAPS_AFTER_PAINT=${SCRATCH}/maps
                        ${KROVEL}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS ${SCRATCH}/maps)
  message(FATAL_ERROR "krovel wrote no maps after its first paint (${rc}):\n${out}${err}")
endif()
file(STRINGS ${SCRATCH}/maps maps REGEX "\\.so")
set(libraries)
foreach(line ${maps})
  string(REGEX REPLACE ".* " "" path "${line}")
  list(APPEND libraries ${path})
endforeach()
list(REMOVE_DUPLICATES libraries)
# What the window itself needs is there: these are the window's maps.
if(NOT libraries MATCHES "/libQt6Widgets\\.so")
  message(FATAL_ERROR "no Qt Widgets among the window's libraries:\n${libraries}")
endif()
foreach(late ${late_libraries})
  if(libraries MATCHES "/(${late}[.-][^;]*)")
    message(FATAL_ERROR "the window mapped ${CMAKE_MATCH_1} before it was needed")
  endif()
endforeach()
list(LENGTH libraries count)
message(STATUS "the window has ${count} shared libraries mapped after its first paint")
