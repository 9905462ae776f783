#include "app/program_directory.hpp"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "app/settings.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"

namespace tab {

namespace {

constexpr std::size_t kDirectoryCapacity = 255;  // the settings' data-base directory field

struct FolderEntry {
  std::string name;
  bool folder = false;
};

using NameFilter = bool (*)(std::string_view name);

// The files and folders of a folder (links followed) whose names pass the filter, sorted by name
// so that seeding always goes the same way; an unreadable folder gives its errno.
int ListFolder(const std::string& folder, std::vector<FolderEntry>& entries,
               NameFilter wanted = nullptr) {
  entries.clear();
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return errno;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == ".." || (wanted != nullptr && !wanted(name))) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0) continue;
    if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode)) continue;
    entries.push_back({std::string(name), S_ISDIR(info.st_mode)});
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return 0;
}

// A key file's name: "*.SSD" in any case.
bool IsKeyFileName(std::string_view name) {
  constexpr std::string_view kSuffix = ".SSD";
  return name.size() > kSuffix.size() &&
         EqualsIgnoringAsciiCase(name.substr(name.size() - kSuffix.size()), kSuffix);
}

// Creates the folder and whatever is missing above it, private to the user as the per-user data
// folders should be. Returns 0 or the errno of the step that failed.
int MakeFolders(const std::string& folder) {
  std::string path;
  std::size_t start = 0;
  while (start < folder.size()) {
    std::size_t end = folder.find(kPathSeparator, start + 1);
    if (end == std::string::npos) end = folder.size();
    path = folder.substr(0, end);
    start = end;
    if (path.empty() || path == "/" || IsDirectory(path)) continue;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  }
  return IsDirectory(folder) ? 0 : ENOTDIR;
}

bool SameFolder(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string SeedingFailedMessage(const std::string& perUser, const std::string& path, int error) {
  return "Das Programmverzeichnis\n" + perUser + "\nkonnte nicht eingerichtet werden:\n" + path +
         "\n" + ErrorText(error);
}

// Copies what the per-user folder lacks, one shared folder at a time.
class Seeder {
 public:
  Seeder(const std::string& shared, const std::string& perUser, MessagePort& port,
         SeedResult& result)
      : shared_(shared), perUser_(perUser), port_(port), result_(result) {}

  // The files of the shared folder itself (not its folders), except the settings file.
  bool CopyTopFiles() {
    std::vector<FolderEntry> entries;
    if (const int error = ListFolder(shared_, entries); error != 0) return Fail(shared_, error);
    for (const FolderEntry& entry : entries) {
      if (entry.folder || EqualsIgnoringAsciiCase(entry.name, kSettingsFileName)) continue;
      if (!CopyFileIfMissing(entry.name)) return false;
    }
    return true;
  }

  // A shipped folder and everything below it.
  bool CopyTree(const std::string& relative) {
    const std::string target = ResolvePath(perUser_, relative);
    if (!IsDirectory(target)) {
      if (const int error = MakeFolders(target); error != 0) return Fail(target, error);
    }
    std::vector<FolderEntry> entries;
    const std::string source = shared_ + relative;
    if (const int error = ListFolder(source, entries); error != 0) return Fail(source, error);
    for (const FolderEntry& entry : entries) {
      const std::string below = relative + kPathSeparator + entry.name;
      if (!(entry.folder ? CopyTree(below) : CopyFileIfMissing(below))) return false;
    }
    return true;
  }

  bool Fail(const std::string& path, int error) {
    port_.Warning(SeedingFailedMessage(perUser_, path, error));
    result_.failed = true;
    return false;
  }

 private:
  // A file the user has, in whatever case it is spelled, stays as it is.
  bool CopyFileIfMissing(const std::string& relative) {
    if (PathExists(ResolvePath(perUser_, relative))) return true;
    std::string content;
    const std::string source = shared_ + relative;
    if (const int error = ReadWholeFile(source, content); error != 0) return Fail(source, error);
    const std::string target = ResolvePath(perUser_, relative);
    const int error = CreateNewFile(target, content);
    if (error == EEXIST) return true;  // appeared meanwhile: the user's file wins
    if (error != 0) return Fail(target, error);
    result_.copied.push_back(relative);
    return true;
  }

  const std::string& shared_;
  const std::string& perUser_;
  MessagePort& port_;
  SeedResult& result_;
};

// The settings of a first start: the shipped ones (defaults where there are none), their
// data-base directory the copy of the demo data base (if any) where its path fits the field.
Settings FirstSettings(const std::string& shared, const std::string& demo) {
  Settings settings = DefaultSettings();
  std::string shipped;
  if (ReadWholeFile(ResolvePath(shared, kSettingsFileName), shipped) == 0 &&
      shipped.size() == kSettingsRecordSize) {
    settings = DecodeSettings(std::span<const unsigned char, kSettingsRecordSize>(
        reinterpret_cast<const unsigned char*>(shipped.data()), kSettingsRecordSize));
  }
  const std::string field = Utf8ToWin1252(demo);
  // A path the field cannot hold as it is would name another folder.
  if (!demo.empty() && field.size() <= kDirectoryCapacity && Win1252ToUtf8(field) == demo) {
    settings.dataBaseDirectory = field;
  }
  return settings;
}

}  // namespace

std::string ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  std::string folder = executable.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool HoldsProgramFiles(const std::string& folder) {
  if (PathExists(ResolvePath(folder, kSettingsFileName))) return true;
  // Only names that look right are looked at closer: the folder may be /usr/bin.
  std::vector<FolderEntry> entries;
  if (ListFolder(folder, entries, IsKeyFileName) != 0) return false;
  return std::any_of(entries.begin(), entries.end(),
                     [](const FolderEntry& entry) { return !entry.folder; });
}

std::string PerUserProgramDirectory(const char* xdgDataHome, const char* home) {
  // The base-directory rules: a relative XDG_DATA_HOME is ignored.
  if (xdgDataHome != nullptr && xdgDataHome[0] == kPathSeparator) {
    return WithTrailingSeparator(xdgDataHome) + kProgramFolderName + kPathSeparator;
  }
  if (home != nullptr && home[0] != '\0') {
    return WithTrailingSeparator(home) + ".local/share/" + kProgramFolderName + kPathSeparator;
  }
  return {};
}

std::string SharedProgramFiles(const std::string& executableDirectory) {
  std::string folder = executableDirectory;
  while (!folder.empty() && folder.back() == kPathSeparator) folder.pop_back();
  const std::size_t slash = folder.rfind(kPathSeparator);
  const std::string prefix = slash == std::string::npos ? std::string() : folder.substr(0, slash);
  return prefix + "/share/" + kProgramFolderName + kPathSeparator;
}

ProgramDirectoryChoice ChooseProgramDirectory(const std::string& given,
                                              const std::string& executableDirectory,
                                              const char* xdgDataHome, const char* home) {
  if (!given.empty()) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(given, error);
    return {ProgramMode::Given, WithTrailingSeparator(error ? given : absolute.string()), {}};
  }
  if (HoldsProgramFiles(executableDirectory)) {
    return {ProgramMode::Portable, WithTrailingSeparator(executableDirectory), {}};
  }
  const std::string perUser = PerUserProgramDirectory(xdgDataHome, home);
  // Without a home folder there is no other place than the executable's own.
  if (perUser.empty())
    return {ProgramMode::Portable, WithTrailingSeparator(executableDirectory), {}};
  return {ProgramMode::Installed, perUser, SharedProgramFiles(executableDirectory)};
}

SeedResult SeedProgramDirectory(const std::string& shared, const std::string& perUser,
                                MessagePort& port) {
  SeedResult result;
  const std::string target = WithTrailingSeparator(perUser);
  const std::string source = WithTrailingSeparator(shared);
  Seeder seeder(source, target, port, result);
  if (const int error = MakeFolders(target); error != 0) {
    seeder.Fail(target, error);
    return result;
  }
  // Nothing shipped, nothing to seed; should the per-user folder be the shared one, the shipped
  // files stay untouched.
  if (!IsDirectory(source) || SameFolder(source, target)) return result;
  if (!seeder.CopyTopFiles()) return result;

  const std::string settingsPath = ResolvePath(target, kSettingsFileName);
  if (PathExists(settingsPath)) return result;
  // The first start: the demo data base, then the settings pointing at it. The settings come
  // last, so that a start that failed half-way is a first start again.
  std::string demo;
  if (IsDirectory(source + kDemoDataBaseName)) {
    if (!seeder.CopyTree(kDemoDataBaseName)) return result;
    demo = ResolvePath(target, kDemoDataBaseName) + kPathSeparator;
  }
  const SettingsRecord record = EncodeSettings(FirstSettings(source, demo));
  const int error = CreateNewFile(
      settingsPath, std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
  if (error != 0 && error != EEXIST) {
    seeder.Fail(settingsPath, error);
    return result;
  }
  result.firstStart = error == 0;
  return result;
}

namespace {

// The choice for `given` and this process's executable and environment.
ProgramDirectoryChoice ChooseForThisProcess(const std::string& given) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* user = ::getpwuid(::getuid());
    home = user != nullptr ? user->pw_dir : nullptr;
  }
  return ChooseProgramDirectory(given, ExecutableDirectory(), std::getenv("XDG_DATA_HOME"), home);
}

}  // namespace

std::string PrepareProgramDirectory(const std::string& given, MessagePort& port) {
  const ProgramDirectoryChoice choice = ChooseForThisProcess(given);
  if (choice.mode == ProgramMode::Installed) {
    SeedProgramDirectory(choice.shared, choice.directory, port);
  }
  return choice.directory;
}

ReadOnlyProgramDirectory FindProgramDirectoryReadOnly(const std::string& given) {
  const ProgramDirectoryChoice choice = ChooseForThisProcess(given);
  if (choice.mode != ProgramMode::Installed || HoldsProgramFiles(choice.directory) ||
      !IsDirectory(choice.shared)) {
    return {choice.directory, {}};
  }
  // What a first start would set up, read where it is shipped.
  const std::string shared = WithTrailingSeparator(choice.shared);
  const std::string demo = shared + kDemoDataBaseName + kPathSeparator;
  const Settings settings = FirstSettings(shared, IsDirectory(demo) ? demo : std::string());
  return {shared, Win1252ToUtf8(settings.dataBaseDirectory)};
}

}  // namespace tab
