// tabellario-demo: writes the demo program directory and data base into a folder (the
// repository's demo/ folder by scripts/make-demo.sh).
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "tools/demo/demo.hpp"

namespace {

constexpr const char* kUsage =
    "Aufruf: tabellario-demo ORDNER\n"
    "\n"
    "Schreibt die Demo-Daten nach ORDNER:\n"
    "  ORDNER/program/  Schlüssel-Dateien und Lehrerliste (ZREINST.DAT und VORINEXMVBS.HLP nicht)\n"
    "  ORDNER/db/       die Datenbank: Dienststellen 13001, 13002 und 00000\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 2 || std::string_view(argv[1]).starts_with("-")) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    tab::demo::WriteDemo(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "Fehler: %s\n", error.what());
    return 1;
  }
  std::printf("Demo-Daten geschrieben: %s\n", argv[1]);
  return 0;
}
