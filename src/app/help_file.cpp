#include "app/help_file.hpp"

#include <sys/stat.h>

#include "records/file_names.hpp"

namespace tab {

std::string HelpFilePath(const std::string& programDirectory) {
  return ResolvePath(programDirectory, "VORINEXMVBS.HLP");
}

void ReportHelpFileFailure(const std::string& path, MessagePort& port) {
  const char* why = "\nwurde nicht gefunden!";
  if (PathExists(path)) {
    // A named pipe or a device is not read at all; say so rather than that it failed.
    struct stat info {};
    const bool other =
        ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
    why = other ? "\nist keine normale Datei!" : "\nkann nicht gelesen werden!";
  }
  port.Warning("Die Hilfe-Datei\n" + path + why);
}

}  // namespace tab
