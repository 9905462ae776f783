# shellcheck shell=bash
# The files an installation holds below its prefix, one relative path a line, sorted; sourced by
# the install and package tests. SOURCE is the source tree.
expected_layout() {
  local source=$1 prefix=$2 id=de.tabellario.Tabellario size name
  {
    echo "$prefix/bin/tabellario"
    echo "$prefix/bin/tabellario-export"
    echo "$prefix/bin/tabellario-check"
    # the PDF writer that tabellario-export loads only for PDF
    echo "$prefix/lib/tabellario/tabellario-export-pdf.so"
    for name in "$source"/demo/program/*; do
      echo "$prefix/share/tabellario/$(basename "$name")"
    done
    (cd "$source/demo/db" && find . -type f ! -name .gitkeep) |
      sed "s|^\./|$prefix/share/tabellario/Demo-Datenbank/|"
    echo "$prefix/share/applications/$id.desktop"
    echo "$prefix/share/metainfo/$id.metainfo.xml"
    echo "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
    for size in 16 24 32 48 64 128 256; do
      echo "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
    done
    echo "$prefix/share/man/man1/tabellario.1.gz"
    echo "$prefix/share/man/man1/tabellario-export.1.gz"
    echo "$prefix/share/man/man1/tabellario-check.1.gz"
    echo "$prefix/share/doc/tabellario/copyright"
    echo "$prefix/share/doc/tabellario/changelog.gz"
  } | LC_ALL=C sort
}

# Checks the desktop entry, the metainfo and the manual pages of an installed tree.
check_desktop_files() {
  local tree=$1 id=de.tabellario.Tabellario page
  desktop-file-validate "$tree/share/applications/$id.desktop"
  appstreamcli validate --no-net "$tree/share/metainfo/$id.metainfo.xml" >/dev/null
  for page in "$tree"/share/man/man1/*.1.gz; do
    # man reports what groff warns about; a clean page gives no output.
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
      "$page" 2>&1 >/dev/null)
    if [[ -n $warnings ]]; then
      echo "Handbuchseite $page: $warnings" >&2
      return 1
    fi
  done
}
