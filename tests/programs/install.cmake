# `cmake --install` into a fresh prefix: exactly the files a desktop system needs, in
# the places it looks, accepted by the desktop entry and AppStream validators.
# Run by CTest with -DBUILD=<build tree> -DPREFIX=<scratch folder> -DDATA=<measurement
# files>.

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc}): ${err}")
endif()

include(GNUInstallDirs)
set(expected
    ${CMAKE_INSTALL_BINDIR}/krovel
    ${CMAKE_INSTALL_BINDIR}/krovel-cli
    ${CMAKE_INSTALL_BINDIR}/krovel-cli-print
    ${CMAKE_INSTALL_BINDIR}/krovel-devsim
    ${CMAKE_INSTALL_DATADIR}/applications/com.kinetrak.Krovel.desktop
    ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps/com.kinetrak.Krovel.svg
    lib/krovel/plugins/krovel-print.so
    lib/krovel/plugins/krovel-sound.so
    ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes/application-x-krovel-measurement.svg
    ${CMAKE_INSTALL_DATADIR}/mime/packages/com.kinetrak.Krovel.xml
    ${CMAKE_INSTALL_MANDIR}/man1/krovel-cli.1.gz
    ${CMAKE_INSTALL_MANDIR}/man1/krovel-cli-print.1.gz
    ${CMAKE_INSTALL_MANDIR}/man1/krovel-devsim.1.gz
    ${CMAKE_INSTALL_MANDIR}/man1/krovel.1.gz
    ${CMAKE_INSTALL_DATADIR}/doc/krovel/changelog.gz
    ${CMAKE_INSTALL_DATADIR}/doc/krovel/copyright
    ${CMAKE_INSTALL_DATADIR}/metainfo/com.kinetrak.Krovel.metainfo.xml
    lib/udev/rules.d/70-kinetrak-krovel.rules)
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed:\n${installed}\nexpected:\n${expected}")
endif()

# krovel-cli finds the program behind `print` beside itself in the install tree too.
execute_process(COMMAND ${PREFIX}/${CMAKE_INSTALL_BINDIR}/krovel-cli print --help
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "krovel-cli print FILE")
  message(FATAL_ERROR "installed krovel-cli print --help (${rc}):\n${out}${err}")
endif()

# The validators' verdicts; a warning or an error fails, hints and infos do not.
foreach(check "desktop-file-validate;share/applications/com.kinetrak.Krovel.desktop"
              "appstreamcli;validate;--no-net;share/metainfo/com.kinetrak.Krovel.metainfo.xml")
  list(POP_BACK check file)
  list(POP_FRONT check tool)
  find_program(found_${tool} ${tool} REQUIRED)
  execute_process(COMMAND ${found_${tool}} ${check} ${PREFIX}/${file}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR "${out}${err}" MATCHES "(error|warning):|\nE: |\nW: ")
    message(FATAL_ERROR "${tool} refused ${file} (${rc}):\n${out}${err}")
  endif()
endforeach()

# The MIME definition, compiled as the system compiles it: accepted without a word, it
# names the .krvx files and the bytes that follow a measurement file's length byte.
set(mime ${PREFIX}/mime-check/mime)
file(COPY ${PREFIX}/${CMAKE_INSTALL_DATADIR}/mime/packages DESTINATION ${mime})
find_program(UPDATE_MIME update-mime-database REQUIRED)
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/mime-check
                        ${UPDATE_MIME} ${mime} OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE rc)
file(READ ${PREFIX}/share/applications/com.kinetrak.Krovel.desktop entry)
string(REGEX MATCH "\nMimeType=([^;\n]+);" _ "${entry}")
set(type ${CMAKE_MATCH_1})
file(STRINGS ${mime}/globs2 globs)
# The compiled rule: at offset 1, the 25 bytes that follow a real file's length byte.
file(READ ${DATA}/show-example.krvx head OFFSET 1 LIMIT 25 HEX)
string(HEX "]\n>1=" rule)
file(READ ${mime}/magic magic HEX)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "" OR NOT type OR NOT EXISTS ${mime}/${type}.xml
   OR NOT globs MATCHES ":${type}:\\*\\.krvx" OR NOT magic MATCHES "${rule}0019${head}")
  message(FATAL_ERROR "MIME type '${type}' (${rc}): ${out}${err}\nglobs: ${globs}\nmagic: ${magic}")
endif()
if(NOT entry MATCHES "\nExec=krovel --open %f\n")
  message(FATAL_ERROR "the desktop entry does not open a file with --open:\n${entry}")
endif()

# A modalias would claim every FT232R adapter: AppStream cannot match the unit's product
# string, so only the udev rule names the unit.
file(READ ${PREFIX}/${CMAKE_INSTALL_DATADIR}/metainfo/com.kinetrak.Krovel.metainfo.xml metainfo)
if(metainfo MATCHES "<modalias>")
  message(FATAL_ERROR "the AppStream metadata provides a modalias:\n${metainfo}")
endif()

# The udev rule must sort before 73-seat-late.rules for uaccess to take effect, and
# must match only the unit, not every FT232R adapter.
file(READ ${PREFIX}/lib/udev/rules.d/70-kinetrak-krovel.rules rule)
foreach(part [[TAG\+="uaccess"]] [[GROUP="plugdev"]] [[ATTR{idVendor}=="0403"]]
             [[ATTR{idProduct}=="6001"]] [[ATTR{product}=="Kinetrak Basic"]])
  if(NOT rule MATCHES "${part}")
    message(FATAL_ERROR "the udev rule lacks ${part}:\n${rule}")
  endif()
endforeach()
