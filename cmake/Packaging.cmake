# The Debian package, built by CPack from the install rules (scripts/package.sh):
# tabellario_<version>_<arch>.deb with the dependencies that dpkg-shlibdeps derives from the
# programs' shared libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tabellario)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Die Entwickler von Tabellario")
set(CPACK_PACKAGE_CONTACT "Die Entwickler von Tabellario <tabellario@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs speak German with Qt's translations; without them they speak English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Betrachter der Schulstatistik der Berufsschulen in Mecklenburg-Vorpommern")
# The summary is the synopsis; the description is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tabellario zeigt die amtliche Schulstatistik der Berufsschulen in
Mecklenburg-Vorpommern: die Meldungen einer Dienststelle (Schnellmeldung,
Schule, Lehrer, Klasse) als Tabellen auf Registerseiten. Es sortiert Zeilen
und ergänzt fehlende Texte oder Schlüssel aus den Schlüsseldateien. Die
Statistik-Datenbank wird nur gelesen.
.
Dazu gehört tabellario-export, das eine Tabelle als JSON oder CSV ausgibt,
und tabellario-check, das die ganze Datenbasis prüft und die Befunde meldet.
Beim ersten Start richtet das Programm jedem Benutzer ein eigenes
Programmverzeichnis mit einer Demo-Datenbank ein.")

# Packing takes the build as it is (scripts/package.sh builds first, the end-to-end test packs
# the test build): the install step does not build everything again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)
