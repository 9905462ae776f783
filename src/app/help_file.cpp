#include "app/help_file.hpp"

#include "records/file_names.hpp"

namespace tab {

std::string HelpFilePath(const std::string& programDirectory) {
  return ResolvePath(programDirectory, "VORINEXMVBS.HLP");
}

void ReportHelpFileFailure(const std::string& path, MessagePort& port) {
  port.Warning("Die Hilfe-Datei\n" + path +
               (PathExists(path) ? "\nkann nicht gelesen werden!" : "\nwurde nicht gefunden!"));
}

}  // namespace tab
