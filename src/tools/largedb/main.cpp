// tabellario-largedb: writes a large synthetic statistics data base into a folder.
#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "tools/largedb/large_db.hpp"

namespace {

constexpr const char* kUsage =
    "Aufruf: tabellario-largedb [--schools N] [--classes N] [--teachers N] [--lines N]\n"
    "                           [--key-lines N] [--groups N] [--usual-schools N]\n"
    "                           [--misfit-every N] ORDNER\n"
    "\n"
    "Schreibt eine große synthetische Statistik-Datenbank nach ORDNER:\n"
    "  ORDNER/program/  Schlüssel-Dateien, Lehrerliste und Einstellungen (ZREINST.DAT)\n"
    "  ORDNER/db/       die Datenbank: N Dienststellen, die erste eine große Schule\n"
    "\n"
    "  --schools N    Dienststellen (Vorgabe 5000)\n"
    "  --classes N    Klassen der großen Schule (Vorgabe 2000)\n"
    "  --teachers N   Lehrkräfte (Vorgabe 20000)\n"
    "  --lines N      Zeilen jeder Listen-Datei der großen Schule (Vorgabe 100000)\n"
    "  --key-lines N  Zeilen jeder Schlüssel-Datei (Vorgabe 10000)\n"
    "  --groups N     Berufsgruppen in Klassen-Tabelle 9 der großen Klasse (Vorgabe 500)\n"
    "  --usual-schools N\n"
    "                 Dienststellen nach der großen Schule, die jeden Bogen liefern wie eine\n"
    "                 übliche Schule (30 Klassen, 60 Lehrkräfte, Listen von 200 Zeilen;\n"
    "                 Vorgabe 0: nur die Schnellmeldung)\n"
    "  --misfit-every N\n"
    "                 jede N-te dieser Schulen hat Datensätze, die keine Schlüssel-Zeile\n"
    "                 aufnimmt (Vorgabe 0: keine)\n";

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "%s\n\n%s", problem.c_str(), kUsage);
  return 2;
}

bool ParseCount(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end;
}

}  // namespace

int main(int argc, char** argv) {
  tab::largedb::Options options;
  struct Flag {
    const char* name;
    int* value;
  };
  const Flag flags[] = {{"--schools", &options.schools},
                        {"--classes", &options.classes},
                        {"--teachers", &options.teachers},
                        {"--lines", &options.lines},
                        {"--key-lines", &options.keyLines},
                        {"--groups", &options.groups},
                        {"--usual-schools", &options.usualSchools},
                        {"--misfit-every", &options.misfitEvery}};
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    const Flag* flag = nullptr;
    for (const Flag& candidate : flags) {
      if (argument == candidate.name) flag = &candidate;
    }
    if (flag != nullptr) {
      if (i + 1 >= argc || !ParseCount(argv[i + 1], *flag->value)) {
        return UsageError(std::string(argument) + " erwartet eine ganze Zahl.");
      }
      ++i;
    } else if (argument.starts_with("-") || !folder.empty()) {
      return UsageError("Unbekanntes Argument: " + std::string(argument));
    } else {
      folder = argument;
    }
  }
  if (folder.empty()) return UsageError("Es fehlt der Zielordner.");
  if (const std::string problem = tab::largedb::CheckOptions(options); !problem.empty()) {
    return UsageError(problem);
  }
  try {
    const tab::largedb::Layout layout = tab::largedb::WriteLargeDataBase(folder, options);
    std::printf(
        "Datenbank geschrieben: %s\n"
        "  %d Dienststellen, große Schule %s mit %d Klassen (große Klasse %s)\n"
        "Programmverzeichnis: %s\n"
        "  %zu Schlüssel-Dateien, Lehrerliste mit %d Lehrkräften, Einstellungen für %s\n",
        layout.dataBaseDirectory.c_str(), options.schools, layout.bigSchool.c_str(),
        options.classes, layout.bigClass.c_str(), layout.programDirectory.c_str(),
        layout.keyFiles.size(), options.teachers, layout.bigSchool.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "Fehler: %s\n", error.what());
    return 1;
  }
  return 0;
}
