#include "tools/check/check_tool.hpp"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string_view>

#include "app/command_line.hpp"
#include "app/data_base_check.hpp"
#include "app/program_directory.hpp"
#include "records/error_text.hpp"
#include "records/file_names.hpp"

namespace tab {

namespace {

constexpr unsigned kMostJobs = 1024;

CheckArguments Failed(CheckArguments arguments, std::string message) {
  arguments.action = CheckArguments::Action::UsageError;
  arguments.error = std::move(message);
  return arguments;
}

bool ParseJobs(const std::string& text, unsigned& jobs) {
  if (text.empty() || text.size() > 4) return false;
  jobs = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    jobs = jobs * 10 + static_cast<unsigned>(c - '0');
  }
  return jobs >= 1 && jobs <= kMostJobs;
}

// The progress line on standard error, written over in place, at most five times a second; gone
// again when the check is done, so that it never mixes with the report.
class TerminalProgress : public CheckProgress {
 public:
  void Checked(std::size_t done, std::size_t total) override {
    const auto now = std::chrono::steady_clock::now();
    if (done < total && now - shown_ < std::chrono::milliseconds(200)) return;
    shown_ = now;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    const std::string line = "\r" + ProgressLine(done, total, elapsed) + "\033[K";
    std::fputs(line.c_str(), stderr);
    visible_ = true;
  }
  void Finish() {
    if (visible_) std::fputs("\r\033[K", stderr);
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown_{};
  bool visible_ = false;
};

int UsageError(const std::string& message) {
  std::cerr << "tabellario-check: " << message << "\n\n" << kCheckUsage;
  return kCheckUsageError;
}

int Failure(const std::string& message) {
  std::cerr << "tabellario-check: " << message << "\n";
  return kCheckFailed;
}

}  // namespace

const char* const kCheckUsage =
    "Aufruf: tabellario-check [--program-dir VERZ] [--database VERZ] [--school NR]...\n"
    "                         [--jobs N] [--format text|json|csv] [--output DATEI]\n"
    "        tabellario-check --help | --version\n"
    "\n"
    "Prüft die ganze Datenbasis: jede Tabelle jedes Bogens jeder Dienststelle (und jede\n"
    "Klassen-Tabelle jeder Klasse) wird so aufgebaut und geladen, wie es das Fenster tut; jede\n"
    "Meldung dabei ist ein Befund. Der Bericht nennt je Dienststelle, was sie geliefert hat, und\n"
    "ihre Befunde mit Datei und Zeile. Es wird nichts geschrieben.\n"
    "\n"
    "  --program-dir VERZ  Programmverzeichnis; ohne Angabe wie beim Fenster\n"
    "  --database VERZ     Datenbasis-Verzeichnis statt dem der Einstellungen\n"
    "  --school NR         nur diese Dienststelle prüfen, mehrfach möglich\n"
    "  --jobs N            N Dienststellen zugleich prüfen (Vorgabe: Zahl der Prozessoren)\n"
    "  --format FORMAT     text (Vorgabe), json oder csv\n"
    "  --output DATEI      den Bericht in DATEI schreiben statt auf die Standardausgabe\n"
    "  -h, --help          diese Hilfe zeigen und beenden\n"
    "  --version           die Programmversion zeigen und beenden\n"
    "\n"
    "Exit-Code: 0 keine Befunde, 3 Befunde, 2 Aufruffehler, 1 Datenbasis nicht lesbar oder\n"
    "Bericht nicht schreibbar.\n";

CheckArguments ParseCheckArguments(const std::vector<std::string>& arguments) {
  CheckArguments result;
  bool version = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string value;
    const auto takeValue = [&] {
      if (i + 1 >= arguments.size()) return false;
      value = arguments[++i];
      return true;
    };
    if (argument == "--help" || argument == "-h") {
      result.action = CheckArguments::Action::Help;
      return result;
    }
    if (argument == "--version") {
      version = true;
      continue;
    }
    const bool takesValue = argument == "--program-dir" || argument == "--database" ||
                            argument == "--school" || argument == "--jobs" ||
                            argument == "--format" || argument == "--output";
    if (!takesValue) {
      if (argument.size() > 1 && argument[0] == '-') {
        return Failed(result, "unbekannte Option: " + argument);
      }
      return Failed(result, "unerwartetes Argument: " + argument);
    }
    if (!takeValue() || value.empty()) return Failed(result, "Option ohne Wert: " + argument);
    if (argument == "--program-dir") {
      result.programDir = value;
    } else if (argument == "--database") {
      result.database = value;
    } else if (argument == "--school") {
      // One folder of the data base: "..", "." or a path would lead elsewhere.
      if (value == "." || value == ".." || value.find('/') != std::string::npos) {
        return Failed(result, "--school erwartet die Nummer einer Dienststelle: " + value);
      }
      bool known = false;
      for (const std::string& school : result.schools) known = known || school == value;
      if (!known) result.schools.push_back(value);
    } else if (argument == "--jobs") {
      if (!ParseJobs(value, result.jobs)) {
        return Failed(result, "--jobs erwartet eine Zahl von 1 bis " + std::to_string(kMostJobs) +
                                  ": " + value);
      }
    } else if (argument == "--format") {
      if (value == "text") {
        result.format = ReportFormat::Text;
      } else if (value == "json") {
        result.format = ReportFormat::Json;
      } else if (value == "csv") {
        result.format = ReportFormat::Csv;
      } else {
        return Failed(result, "unbekanntes Ausgabeformat: " + value);
      }
    } else {
      result.output = value;
    }
  }
  if (version) result.action = CheckArguments::Action::Version;
  return result;
}

int RunCheckTool(const std::vector<std::string>& arguments) {
  const CheckArguments parsed = ParseCheckArguments(arguments);
  switch (parsed.action) {
    case CheckArguments::Action::Help:
      std::cout << kCheckUsage;
      return std::cout.flush() ? kCheckClean : kCheckFailed;
    case CheckArguments::Action::Version:
      std::cout << VersionLine("tabellario-check") << '\n';
      return std::cout.flush() ? kCheckClean : kCheckFailed;
    case CheckArguments::Action::UsageError:
      return UsageError(parsed.error);
    case CheckArguments::Action::Run:
      break;
  }

  const ReadOnlyProgramDirectory program = FindProgramDirectoryReadOnly(parsed.programDir);
  const CheckStart start =
      PrepareCheck(program.directory, parsed.database.empty() ? program.dataBase : parsed.database);
  TerminalProgress progress;
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  const CheckReport report =
      CheckDataBase(start, {parsed.schools, parsed.jobs, terminal ? &progress : nullptr});
  progress.Finish();
  if (report.dataBaseError != 0) {
    return Failure(UnreadableDataBaseMessage(report.dataBaseDirectory, report.dataBaseError));
  }

  const std::string output = FormatReport(report, parsed.format);
  if (!parsed.output.empty()) {
    if (const int error = ReplaceFile(parsed.output, output); error != 0) {
      return Failure("Der Bericht kann nicht geschrieben werden:\n" + parsed.output + "\n" +
                     ErrorText(error));
    }
  } else {
    std::fwrite(output.data(), 1, output.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
      return Failure("Der Bericht kann nicht auf die Standardausgabe geschrieben werden.");
    }
  }
  return report.FindingCount() == 0 ? kCheckClean : kCheckFindings;
}

}  // namespace tab
