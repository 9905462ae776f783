# Lays out the program directory next to the executables, as after installation: key files,
# teacher list and help from demo/program, and the demo data base, whose school folders lie in
# the program directory itself (an empty data-base directory in the settings means the program
# directory). Files the program or the user may have changed (settings, definition files, the
# data base) are copied only when they are missing.
file(MAKE_DIRECTORY ${DEST})
file(GLOB program_files RELATIVE ${SOURCE}/demo/program ${SOURCE}/demo/program/*)
foreach(name ${program_files})
  if(name STREQUAL "ZREINST.DAT" AND EXISTS ${DEST}/${name})
    continue()
  endif()
  file(COPY ${SOURCE}/demo/program/${name} DESTINATION ${DEST})
endforeach()
file(GLOB schools RELATIVE ${SOURCE}/demo/db ${SOURCE}/demo/db/*)
foreach(school ${schools})
  if(NOT EXISTS ${DEST}/${school})
    file(COPY ${SOURCE}/demo/db/${school} DESTINATION ${DEST})
  endif()
endforeach()
