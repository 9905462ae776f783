# Installation in the usual layout below the prefix:
#
#   bin/                                 the programs of TABELLARIO_PROGRAMS
#   lib/tabellario/                      the PDF writer that tabellario-export loads for PDF
#   share/tabellario/                    the shipped program files (key files, teacher list, help,
#                                        settings) and the demo data base; an installed program
#                                        seeds the user's own program directory from here
#   share/applications/                  the desktop entry
#   share/icons/hicolor/*/apps/          the icon, scalable and as PNG
#   share/metainfo/                      the AppStream metainfo
#   share/man/man1/                      a manual page per program (gzip'ed)
#   share/doc/tabellario/                copyright and changelog
include(GNUInstallDirs)

# One reverse-DNS name for the desktop entry, the icon and the metainfo.
set(TABELLARIO_APP_ID de.tabellario.Tabellario)
# The demo data base inside share/tabellario/ (the programs know the name as kDemoDataBaseName).
set(TABELLARIO_DEMO_DATABASE_NAME Demo-Datenbank)
# The programs that are installed, each with its manual page packaging/man/<program>.1.
set(TABELLARIO_PROGRAMS tabellario tabellario-export tabellario-check)
set(TABELLARIO_ICON_SIZES 16 24 32 48 64 128 256)

set(TABELLARIO_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(TABELLARIO_SHARED_DIR ${CMAKE_INSTALL_DATADIR}/tabellario)
set(TABELLARIO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tabellario)

find_program(TABELLARIO_GZIP gzip REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man ${CMAKE_BINARY_DIR}/doc)

# Manual pages and the changelog are installed compressed, as Debian wants them.
function(tabellario_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${TABELLARIO_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${source}"
    VERBATIM)
endfunction()

set(compressed)
foreach(program IN LISTS TABELLARIO_PROGRAMS)
  if(NOT TARGET ${program})
    continue()
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(page ${TABELLARIO_PACKAGING_DIR}/man/${program}.1)
  if(NOT EXISTS ${page})
    message(FATAL_ERROR "${program} is installed without its manual page ${page}")
  endif()
  tabellario_gzip(${page} ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
# The PDF writer of tabellario-export, which the tool looks for in ../lib/tabellario/.
if(TARGET tabellario-export-pdf)
  install(TARGETS tabellario-export-pdf LIBRARY DESTINATION lib/tabellario)
endif()
tabellario_gzip(${TABELLARIO_PACKAGING_DIR}/changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
list(APPEND compressed ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_target(tabellario_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz ${TABELLARIO_PACKAGING_DIR}/copyright
        DESTINATION ${TABELLARIO_DOC_DIR})

# The shipped program files and the demo data base (its empty Dienststelle 00000 included).
install(DIRECTORY demo/program/ DESTINATION ${TABELLARIO_SHARED_DIR})
install(DIRECTORY demo/db/ DESTINATION ${TABELLARIO_SHARED_DIR}/${TABELLARIO_DEMO_DATABASE_NAME}
        PATTERN .gitkeep EXCLUDE)

# The desktop: menu entry, icon, metainfo. Only the window has them.
if(TARGET tabellario)
  install(FILES ${TABELLARIO_PACKAGING_DIR}/${TABELLARIO_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${TABELLARIO_PACKAGING_DIR}/${TABELLARIO_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${TABELLARIO_PACKAGING_DIR}/icons/${TABELLARIO_APP_ID}.svg
          DESTINATION ${icons}/scalable/apps)
  foreach(size IN LISTS TABELLARIO_ICON_SIZES)
    install(FILES ${TABELLARIO_PACKAGING_DIR}/icons/${size}/${TABELLARIO_APP_ID}.png
            DESTINATION ${icons}/${size}x${size}/apps)
  endforeach()
endif()
