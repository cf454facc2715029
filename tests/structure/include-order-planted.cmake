# The include check must notice what it is there for: a tiny tree with one file of each
# offence (a Qt header in core, a Qt Widgets header in io through the Qt include root,
# an include of a later subsystem) is refused, each offence named; a clean one passes.
# Run by CTest with -DCHECK= (the check script), -DSCRATCH=, -DQT_ROOT=.

cmake_minimum_required(VERSION 3.25)
set(order -DSUBSYSTEMS=base,data,ui -DLAYERS=core,io,gui -DQT_ROOT=${QT_ROOT})
file(REMOVE_RECURSE ${SCRATCH})
file(WRITE ${SCRATCH}/src/base/core/Clean.h "#pragma once\n#include <vector>\n#include <queue>\n")
file(WRITE ${SCRATCH}/src/data/io/Reader.cpp "#include <QFile>\n#include <QtCore/QString>\n#include \"base/core/Clean.h\"\n")
file(WRITE ${SCRATCH}/src/ui/gui/Window.cpp "#include <QWidget>\n#include \"data/io/Reader.h\"\n")

execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${SCRATCH} ${order} -P ${CHECK}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the check refuses a clean tree:\n${out}${err}")
endif()

file(WRITE ${SCRATCH}/src/base/core/Text.h "#pragma once\n#include <QString>\n")
file(WRITE ${SCRATCH}/src/data/io/Planted.cpp "#include <QtWidgets/QWidget>\n#include <QPainter>\n")
file(WRITE ${SCRATCH}/src/data/core/Upward.cpp "#include \"ui/core/Graph.h\"\n#include \"data/io/Reader.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${SCRATCH} ${order} -P ${CHECK}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0)
  message(FATAL_ERROR "the check passes a tree with planted offences")
endif()
foreach(expected
        "base/core/Text.h: core includes the Qt header <QString>"
        "data/io/Planted.cpp: io includes <QtWidgets/QWidget> of QtWidgets"
        "data/io/Planted.cpp: io includes <QPainter> of QtGui"
        "data/core/Upward.cpp: includes \"ui/core/Graph.h\" against the order"
        "data/core/Upward.cpp: includes \"data/io/Reader.h\" against the order")
  string(FIND "${err}" "${expected}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the check does not name: ${expected}\nIt said:\n${err}")
  endif()
endforeach()
