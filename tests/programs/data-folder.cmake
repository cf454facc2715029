# scripts/run.sh keeps settings and measurements in the per-user data folder the
# installed program uses (Qt's AppDataLocation for "Marvolen Krovel"/"Kelvane"), not in
# build/, unless KROVEL_HOME is set. Run by CTest with -DSOURCE=<source tree>.

function(folder_for expected)
  execute_process(COMMAND env -u KROVEL_HOME ${ARGN} bash -c
                          "source '${SOURCE}/scripts/data-folder.sh' && printf %s \"$KROVEL_HOME\""
                  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "${ARGN}: KROVEL_HOME '${out}' (status ${rc}), expected '${expected}'")
  endif()
endfunction()

folder_for("/home/ana/.local/share/Marvolen Krovel/Kelvane" HOME=/home/ana)
folder_for("/data/ana/Marvolen Krovel/Kelvane" HOME=/home/ana XDG_DATA_HOME=/data/ana)
# A relative XDG_DATA_HOME is invalid and ignored, as Qt ignores it.
folder_for("/home/ana/.local/share/Marvolen Krovel/Kelvane" HOME=/home/ana XDG_DATA_HOME=rel)
folder_for("/srv/krovel" HOME=/home/ana KROVEL_HOME=/srv/krovel)
