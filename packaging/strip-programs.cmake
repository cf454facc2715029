# Run by CPack once the package's files are staged: strips the programs as dh_strip does,
# symbols not needed for relocation and the .comment and .note sections included, which
# CPACK_STRIP_FILES alone leaves in. The plugins are stripped the same way.
file(GLOB programs ${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*
     ${CPACK_TEMPORARY_DIRECTORY}/usr/lib/krovel/plugins/*.so)
foreach(program ${programs})
  execute_process(COMMAND ${CPACK_KROVEL_STRIP} --remove-section=.comment --remove-section=.note
                          --strip-unneeded ${program} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endforeach()
