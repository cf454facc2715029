# krovel_glob(VAR patterns...): sources matching the patterns, re-globbed when files
# are added, so a new source file needs no edit of the build files.
function(krovel_glob var)
  set(patterns)
  foreach(p ${ARGN})
    list(APPEND patterns ${CMAKE_SOURCE_DIR}/${p})
  endforeach()
  file(GLOB found CONFIGURE_DEPENDS ${patterns})
  list(SORT found)
  set(${var} ${found} PARENT_SCOPE)
endfunction()
