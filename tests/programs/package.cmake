# The Debian package built from the build tree, as scripts/package.sh builds it: its
# files, dependencies computed from the shared libraries, and lintian's verdict.
# Run by CTest with -DBUILD=<build tree> -DSCRATCH=<scratch folder>.

file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${SCRATCH}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
file(GLOB deb ${SCRATCH}/krovel_*_*.deb)
if(NOT rc EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}${err}")
endif()

execute_process(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE contents)
foreach(path ./usr/bin/krovel ./usr/bin/krovel-cli ./usr/bin/krovel-cli-print ./usr/bin/krovel-devsim
             ./usr/share/applications/com.kinetrak.Krovel.desktop
             ./usr/share/metainfo/com.kinetrak.Krovel.metainfo.xml
             ./usr/share/icons/hicolor/scalable/apps/com.kinetrak.Krovel.svg
             ./usr/share/man/man1/krovel-cli.1.gz ./usr/lib/udev/rules.d/70-kinetrak-krovel.rules
             ./usr/lib/krovel/plugins/krovel-print.so ./usr/lib/krovel/plugins/krovel-sound.so
             ./usr/share/doc/krovel/copyright)
  string(FIND "${contents}" " ${path}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package lacks ${path}:\n${contents}")
  endif()
endforeach()
if(contents MATCHES " root/root [^\n]* \\./(etc|home|opt|usr/local)/")
  message(FATAL_ERROR "the package installs outside /usr:\n${contents}")
endif()

execute_process(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends)
# The plugins' libraries are found in them.
foreach(package libqt6widgets6 libqt6serialport6 libftdi1-2 qt6-qpa-plugins libqt6multimedia6
                libqt6printsupport6)
  if(NOT depends MATCHES "(^| )${package}( |,|\n|$)")
    message(FATAL_ERROR "Depends lacks ${package}: ${depends}")
  endif()
endforeach()

# After installing and removing, udev is told, and never where it does not run: here
# the scripts end well with an udevadm that fails.
set(control ${SCRATCH}/control)
execute_process(COMMAND dpkg-deb --control ${deb} ${control})
file(WRITE ${SCRATCH}/fake/udevadm "#!/bin/sh\nexit 1\n")
file(CHMOD ${SCRATCH}/fake/udevadm PERMISSIONS OWNER_READ OWNER_EXECUTE)
foreach(script "postinst;configure" "postrm;remove")
  list(GET script 1 action)
  list(GET script 0 script)
  file(READ ${control}/${script} text)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PATH=${SCRATCH}/fake:$ENV{PATH}
                          sh ${control}/${script} ${action} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT text MATCHES "udevadm trigger --subsystem-match=usb --attr-match=idVendor=0403"
     OR NOT text MATCHES "\\[ -d /run/udev \\]")
    message(FATAL_ERROR "${script} ${action} (${rc}):\n${text}")
  endif()
endforeach()

# Lintian's informational tags too, for the hardening of the programs and what the
# stripping leaves in them.
find_program(LINTIAN lintian REQUIRED)
execute_process(COMMAND ${LINTIAN} --display-info ${deb} OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(out MATCHES "(^|\n)[EW]: |hardening-|binary-has-unneeded-section")
  message(FATAL_ERROR "lintian:\n${out}")
endif()
