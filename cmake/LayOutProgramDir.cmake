# Copies the demo program directory (key files, teacher list, settings, help) and the demo data
# base next to the executables, so that the program runs from the build tree as after installation.
file(MAKE_DIRECTORY ${DEST})
file(GLOB program_files ${SOURCE}/demo/program/*)
file(COPY ${program_files} DESTINATION ${DEST})
if(EXISTS ${SOURCE}/demo/db AND NOT EXISTS ${DEST}/demo-db)
  file(COPY ${SOURCE}/demo/db/ DESTINATION ${DEST}/demo-db)
endif()
