#include "tools/export/export_arguments.hpp"

#include "app/session.hpp"
#include "app/window_layout.hpp"

namespace tab {

namespace {

bool ParseIndex(const std::string& text, int& value) {
  if (text.empty() || text.size() > 3) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

ExportArguments Failed(ExportArguments arguments, std::string message) {
  arguments.action = ExportArguments::Action::UsageError;
  arguments.error = std::move(message);
  return arguments;
}

}  // namespace

const char* const kExportUsage =
    "Aufruf: tabellario-export [--program-dir VERZ] [--database VERZ] [--school NR] "
    "[--class KENNUNG]\n"
    "                          [--run BUTTON]... [--format json|csv|xlsx|pdf] [--output DATEI]\n"
    "                          BOGEN TABELLE\n"
    "        tabellario-export --help | --version\n"
    "\n"
    "Baut eine Tabelle so auf und lädt sie, wie es das Fenster von Tabellario tut, und schreibt\n"
    "sie auf die Standardausgabe: als JSON mit allen berührten Tabellen und Meldungen oder als "
    "CSV;\noder in eine Datei: als Excel-Arbeitsmappe oder PDF, wie sie das Fenster exportiert.\n"
    "\n"
    "  BOGEN    0 Schnellmeldung, 1 Schule, 2 Lehrer, 3 Klasse\n"
    "  TABELLE  Nummer der Tabelle (Klasse: 0 bis 9, 10 für \"Tab. 4.1\")\n"
    "  --program-dir VERZ  Programmverzeichnis; ohne Angabe wie beim Fenster der Ordner des\n"
    "                      Programms oder der eigene Ordner des Benutzers\n"
    "  --database VERZ     Datenbasis-Verzeichnis statt dem der Einstellungen\n"
    "  --school NR         Dienststelle statt der der Einstellungen\n"
    "  --class KENNUNG     Klasse aus der Klassenliste\n"
    "  --run BUTTON        den Button der Seite ausführen (z. B. Button17), mehrfach möglich\n"
    "  --format FORMAT     Ausgabeformat: json (Vorgabe), csv, xlsx (Excel-Arbeitsmappe)\n"
    "                      oder pdf (gedruckte Seiten wie im Fenster)\n"
    "  --output DATEI      in die Datei statt auf die Standardausgabe schreiben (für xlsx\n"
    "                      und pdf nötig); sie entsteht erst, wenn sie vollständig ist\n"
    "  -h, --help          diese Hilfe zeigen und beenden\n"
    "  --version           die Programmversion zeigen und beenden\n"
    "\n"
    "Exit-Code: 0 erledigt, 2 Aufruffehler, 1 Ausgabefehler.\n";

ExportArguments ParseExportArguments(const std::vector<std::string>& arguments) {
  ExportArguments result;
  std::vector<std::string> positional;
  std::vector<std::string> buttonNames;
  bool version = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const auto value = [&](std::string& target) {
      if (i + 1 >= arguments.size()) return false;
      target = arguments[++i];
      return true;
    };
    bool ok = true;
    if (argument == "--program-dir") {
      ok = value(result.programDir);
    } else if (argument == "--database") {
      ok = result.haveDatabase = value(result.database);
    } else if (argument == "--school") {
      ok = result.haveSchool = value(result.school);
    } else if (argument == "--class") {
      ok = result.haveClass = value(result.classId);
    } else if (argument == "--run") {
      std::string button;
      ok = value(button);
      buttonNames.push_back(button);
    } else if (argument == "--format") {
      ok = value(result.format);
      if (ok && result.format != "json" && result.format != "csv" && result.format != "xlsx" &&
          result.format != "pdf") {
        return Failed(result, "unbekanntes Ausgabeformat: " + result.format);
      }
    } else if (argument == "--output") {
      ok = value(result.output);
    } else if (argument == "--help" || argument == "-h") {
      result.action = ExportArguments::Action::Help;
      return result;
    } else if (argument == "--version") {
      version = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      return Failed(result, "unbekannte Option: " + argument);
    } else {
      positional.push_back(argument);
    }
    if (!ok) return Failed(result, "Option ohne Wert: " + argument);
  }
  if (version) {
    result.action = ExportArguments::Action::Version;
    return result;
  }
  if (positional.size() != 2) return Failed(result, "BOGEN und TABELLE werden erwartet");
  if ((result.format == "xlsx" || result.format == "pdf") && result.output.empty()) {
    return Failed(result, "--format " + result.format + " braucht --output DATEI");
  }
  int sheet = 0;
  if (!ParseIndex(positional[0], sheet) || sheet > 3) {
    return Failed(result, "unbekannter Bogen: " + positional[0]);
  }
  result.sheet = static_cast<SheetId>(sheet);
  // A number the sheet has no page for is no table either (the dispatcher would only say
  // "interner Fehler").
  if (!ParseIndex(positional[1], result.table) ||
      FindTablePage(result.sheet, result.table) == nullptr) {
    return Failed(result, "unbekannte Tabelle: " + positional[1]);
  }

  // The buttons must belong to the page that is dispatched, and their sheet must be built.
  // They are named as the window's controls.
  for (const std::string& name : buttonNames) {
    const ButtonDesign* design = FindButton(name);
    if (design == nullptr || !Session::HasCommand(design->button)) {
      return Failed(result, "unbekannter Button: " + name);
    }
    if (design->sheet != result.sheet || design->table != result.table) {
      return Failed(result, "Button " + name + " liegt nicht auf der Seite von Bogen " +
                                positional[0] + ", Tabelle " + positional[1]);
    }
    result.buttons.push_back(design->button);
  }
  return result;
}

}  // namespace tab
