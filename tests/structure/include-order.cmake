# Reads every include under src/ and fails on one that breaks the program's structure:
#   - a subsystem's file includes a subsystem later in KROVEL_SUBSYSTEMS, or a layer
#     later in KROVEL_LAYERS (the order the top CMakeLists.txt builds the libraries in);
#   - a core file includes any Qt header;
#   - an io file includes a Qt header other than Qt Core's or Qt SerialPort's (the Qt
#     include root is on io's path, so the compiler alone would let <QtWidgets/...> in).
# Run by CTest with -DSOURCE= (the tree to read), -DSUBSYSTEMS= and -DLAYERS= (the
# orders, ','-separated) and -DQT_ROOT= (the folder holding QtCore/, QtGui/, ...).

string(REPLACE "," ";" SUBSYSTEMS "${SUBSYSTEMS}")
string(REPLACE "," ";" LAYERS "${LAYERS}")

cmake_minimum_required(VERSION 3.25)
set(io_qt_modules QtCore QtSerialPort)
set(offences "")

# The places in both orders of a path <subsystem>/<layer>/...: -1 for a part that is
# not in its order (or missing).
function(place_of path subsystem_var layer_var)
  string(REPLACE "/" ";" parts "${path}")
  list(LENGTH parts depth)
  set(s -1)
  set(l -1)
  if(depth GREATER 2)
    list(GET parts 0 subsystem)
    list(GET parts 1 layer)
    list(FIND SUBSYSTEMS ${subsystem} s)
    list(FIND LAYERS ${layer} l)
  endif()
  set(${subsystem_var} ${s} PARENT_SCOPE)
  set(${layer_var} ${l} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE}/src ${SOURCE}/src/*.h ${SOURCE}/src/*.cpp)

foreach(file ${files})
  # src/<subsystem>/<layer>/...; the program's main() belongs to the shell's gui layer.
  set(path ${file})
  if(file STREQUAL "app/main.cpp")
    set(path app/gui/main.cpp)
  endif()
  place_of(${path} own_subsystem own_layer)
  if(own_subsystem LESS 0 OR own_layer LESS 0)
    string(APPEND offences "\n  ${file}: not in a src/<subsystem>/<layer> folder of the structure")
    continue()
  endif()
  string(REGEX REPLACE "^[^/]+/([^/]+)/.*" "\\1" layer "${path}")

  file(STRINGS ${SOURCE}/src/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"")
      place_of(${header} their_subsystem their_layer)
      if(their_subsystem LESS 0 OR their_layer LESS 0
         OR their_subsystem GREATER own_subsystem OR their_layer GREATER own_layer)
        string(APPEND offences "\n  ${file}: includes \"${header}\" against the order")
      endif()
      continue()
    endif()
    # <QFoo>, <QtModule/QFoo>, <qfoo.h>: which Qt module is it from?
    set(module "")
    if(header MATCHES "^(Qt[A-Za-z]+)/")
      set(module ${CMAKE_MATCH_1})
    elseif(header MATCHES "^Q[A-Za-z]" OR header MATCHES "^q[a-z0-9_]+\\.h$")
      file(GLOB owners RELATIVE ${QT_ROOT} ${QT_ROOT}/Qt*/${header})
      set(module "Qt?")
      if(owners)
        list(GET owners 0 owner)
        string(REGEX REPLACE "/.*" "" module "${owner}")
      endif()
    endif()
    if(module STREQUAL "")
      continue()
    endif()
    if(layer STREQUAL "core")
      string(APPEND offences "\n  ${file}: core includes the Qt header <${header}>")
    elseif(layer STREQUAL "io" AND NOT module IN_LIST io_qt_modules)
      string(APPEND offences "\n  ${file}: io includes <${header}> of ${module}")
    endif()
  endforeach()
endforeach()

if(offences)
  message(FATAL_ERROR "Includes against the structure (subsystems ${SUBSYSTEMS}; layers ${LAYERS}):${offences}")
endif()
list(LENGTH files count)
message(STATUS "${count} files follow the structure")
