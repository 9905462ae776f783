#pragma once
// Where the program directory is. Portable: the executable's own folder holds the settings file
// or key files (the build folder, a folder copied from a school's share), and is the program
// directory. Installed: everything else; the program directory is a folder of the user's own,
// $XDG_DATA_HOME/tabellario/ (~/.local/share/tabellario/), seeded from the files the package
// ships in <prefix>/share/tabellario/. A folder given on the command line overrides both.
#include <string>
#include <vector>

#include "records/message_port.hpp"

namespace tab {

// The folder of the running executable, ending with the separator (empty if it cannot be told).
std::string ExecutableDirectory();

// The folder below the per-user data folder and the shared folder of an installation.
inline constexpr const char* kProgramFolderName = "tabellario";
// The demo data base inside the shared folder and, after the first start, the per-user folder.
inline constexpr const char* kDemoDataBaseName = "Demo-Datenbank";

enum class ProgramMode { Portable, Installed, Given };

struct ProgramDirectoryChoice {
  ProgramMode mode = ProgramMode::Portable;
  std::string directory;  // the program directory, ending with '/'
  std::string shared;     // installed: the shipped files, <prefix>/share/tabellario/
};

// Whether a folder holds a program directory's own files: the settings file or a key file.
bool HoldsProgramFiles(const std::string& folder);

// $XDG_DATA_HOME/tabellario/ where XDG_DATA_HOME is an absolute path, else
// $HOME/.local/share/tabellario/; empty when there is no home folder to go by.
std::string PerUserProgramDirectory(const char* xdgDataHome, const char* home);

// <prefix>/share/tabellario/ for an executable in <prefix>/bin/ (any folder name works).
std::string SharedProgramFiles(const std::string& executableDirectory);

// The choice for a folder given on the command line (may be empty), the executable's folder and
// the environment's XDG_DATA_HOME and HOME (either may be null).
ProgramDirectoryChoice ChooseProgramDirectory(const std::string& given,
                                              const std::string& executableDirectory,
                                              const char* xdgDataHome, const char* home);

struct SeedResult {
  std::vector<std::string> copied;  // paths relative to the per-user folder, in copying order
  bool firstStart = false;          // the settings file was missing and has been written
  bool failed = false;              // reported to the port; seeding stopped there
};

// Creates the per-user folder and copies into it what is missing of the shared folder's files.
// Nothing is ever overwritten and the shared folder is only read. On the first start (no
// settings file yet) the demo data base is copied too and the settings are written from the
// shipped ones, their data-base directory set to that copy. A failure is reported once, in
// German, and ends the seeding.
SeedResult SeedProgramDirectory(const std::string& shared, const std::string& perUser,
                                MessagePort& port);

// Both programs' start: the choice for `given` and this process's executable and environment;
// an installed program's folder seeded. Returns the program directory.
std::string PrepareProgramDirectory(const std::string& given, MessagePort& port);

// The start of a program that writes nothing (the data-base check): the same choice, but an
// installed program whose user has no program directory yet reads the shipped files instead of
// seeding one, and with them the shipped demo data base where their settings name none.
struct ReadOnlyProgramDirectory {
  std::string directory;  // ends with '/'
  std::string dataBase;   // empty: the one the settings name
};
ReadOnlyProgramDirectory FindProgramDirectoryReadOnly(const std::string& given);

}  // namespace tab
