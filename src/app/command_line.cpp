#include "app/command_line.hpp"

#ifndef TABELLARIO_VERSION
#error "TABELLARIO_VERSION is given by the build"
#endif

namespace tab {

const char* const kWindowUsage =
    "Aufruf: tabellario [--program-dir VERZ]\n"
    "        tabellario --help | --version\n"
    "\n"
    "Zeigt die Schulstatistik der Berufsschulen in Mecklenburg-Vorpommern.\n"
    "\n"
    "  --program-dir VERZ  Programmverzeichnis (Einstellungen ZREINST.DAT, Schlüsseldateien,\n"
    "                      Hilfe, Tabellen-Definitionsdateien). Ohne Angabe ist es der Ordner\n"
    "                      des Programms, wenn dort ZREINST.DAT oder die Schlüsseldateien\n"
    "                      liegen, sonst der eigene Ordner des Benutzers\n"
    "                      ($XDG_DATA_HOME/tabellario, sonst ~/.local/share/tabellario).\n"
    "  -h, --help          diese Hilfe zeigen und beenden\n"
    "  --version           die Programmversion zeigen und beenden\n"
    "\n"
    "Optionen von Qt wie -platform oder -style werden an Qt weitergegeben.\n";

std::string VersionLine(std::string_view program) {
  return std::string(program) + " " + TABELLARIO_VERSION;
}

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& arguments) {
  constexpr std::string_view kProgramDir = "--program-dir";
  WindowCommandLine line;
  if (!arguments.empty()) line.rest.push_back(arguments.front());
  bool help = false;
  bool version = false;
  bool options = true;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!options) {
      line.rest.push_back(argument);
    } else if (argument == "--") {
      options = false;
    } else if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == kProgramDir || argument.starts_with(std::string(kProgramDir) + "=")) {
      std::string value;
      if (argument.size() > kProgramDir.size()) {
        value = argument.substr(kProgramDir.size() + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      }
      if (value.empty()) line.error = "--program-dir braucht ein Verzeichnis";
      line.programDir = value;
    } else {
      line.rest.push_back(argument);
    }
  }
  // --help answers whatever else stands there, then --version.
  if (help) {
    line.action = WindowCommandLine::Action::Help;
  } else if (version) {
    line.action = WindowCommandLine::Action::Version;
  } else if (!line.error.empty()) {
    line.action = WindowCommandLine::Action::UsageError;
  }
  return line;
}

std::string UnknownArgumentsError(const std::vector<std::string>& leftOver) {
  std::string text = leftOver.size() == 1 ? "unbekanntes Argument:" : "unbekannte Argumente:";
  for (const std::string& argument : leftOver) text += " " + argument;
  return text;
}

}  // namespace tab
