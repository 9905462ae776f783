#include "app/path_state.hpp"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>

#include "records/file_names.hpp"
#include "records/text.hpp"

namespace tab {
namespace {

constexpr std::size_t kSchoolNumberLength = 5;
constexpr std::size_t kClassIdLength = 6;
constexpr std::string_view kClassTableZeroSuffix = "00.CSV";
constexpr const char* kClassFolder = "KLASSE";

// Characters, not bytes: folder names are UTF-8.
std::size_t CharacterCount(std::string_view name) {
  return static_cast<std::size_t>(std::count_if(name.begin(), name.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// data-base directory + school + "/". Where the data-base directory names a folder, the school's
// folder is found without regard to case ("abcde" serves for "ABCDE").
std::string SchoolDirectoryOf(const std::string& dataBaseDirectory, const std::string& school) {
  if (!school.empty() && !dataBaseDirectory.empty() && dataBaseDirectory.back() == kPathSeparator) {
    return ResolvePath(dataBaseDirectory, school) + kPathSeparator;
  }
  return dataBaseDirectory + school + kPathSeparator;
}

// A school number that names one folder directly in the data base: "../x", "a/b", "." or ".."
// would lead out of it.
bool IsFolderName(const std::string& school) {
  return !school.empty() && school != "." && school != ".." &&
         school.find(kPathSeparator) == std::string::npos;
}

enum class EntryKind { Directory, RegularFile };

// The type from the directory entry where the file system gives it; links are followed, so a
// link to a school folder counts as a school folder.
bool EntryIs(DIR* dir, const dirent& entry, EntryKind kind) {
  if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
    return entry.d_type == (kind == EntryKind::Directory ? DT_DIR : DT_REG);
  }
  struct stat info {};
  if (fstatat(dirfd(dir), entry.d_name, &info, 0) != 0) return false;
  return kind == EntryKind::Directory ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

// Calls visit(dir, entry) for every entry of the folder. A folder that cannot be read has no
// entries: a missing data base is not an error, its lists are just empty.
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
  if (folder.empty()) return;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) visit(dir, *entry);
  closedir(dir);
}

// A class table-0 file: six characters followed by "00.CSV" in any case. Returns the class id,
// or an empty view.
std::string_view ClassIdOf(std::string_view name) {
  if (name.size() <= kClassTableZeroSuffix.size()) return {};
  const std::string_view id = name.substr(0, name.size() - kClassTableZeroSuffix.size());
  if (!EqualsIgnoringAsciiCase(name.substr(id.size()), kClassTableZeroSuffix)) return {};
  if (CharacterCount(id) != kClassIdLength) return {};
  return id;
}

}  // namespace

std::string DataBaseDirectoryOf(const std::string& folder, const std::string& programDirectory) {
  if (folder.empty()) return programDirectory;
  if (folder.front() == kPathSeparator || programDirectory.empty()) {
    return WithTrailingSeparator(folder);
  }
  return WithTrailingSeparator(WithTrailingSeparator(programDirectory) + folder);
}

void InitialiseDataBase(PathState& paths, const Settings& settings) {
  paths.schoolNumber = Win1252ToUtf8(settings.schoolNumber);
  // Completed before the school folder is formed: "/daten" and "12345" are "/daten/12345/",
  // never a folder "/daten12345" beside the data base.
  paths.dataBaseDirectory =
      DataBaseDirectoryOf(Win1252ToUtf8(settings.dataBaseDirectory), paths.programDirectory);
  paths.schoolDirectory = SchoolDirectoryOf(paths.dataBaseDirectory, paths.schoolNumber);
  // A NUL byte in the settings' texts would end the path early: the folder made would be another.
  if (IsFolderName(paths.schoolNumber) && paths.schoolDirectory.find('\0') == std::string::npos &&
      !CanEnterDirectory(paths.schoolDirectory)) {
    // One level only; a missing data base stays missing and is not reported.
    mkdir(paths.schoolDirectory.c_str(), 0777);
  }
}

void DetermineSchool(PathState& paths, const Settings& settings) {
  paths.dataBaseDirectory = WithTrailingSeparator(paths.dataBaseDirectory);
  paths.schoolNumber = Win1252ToUtf8(settings.schoolNumber);
  paths.schoolDirectory = SchoolDirectoryOf(paths.dataBaseDirectory, paths.schoolNumber);
}

void FindSchools(PathState& paths) {
  paths.schools.clear();
  if (paths.schoolDirectory.empty()) return;
  ForEachEntry(paths.dataBaseDirectory, [&paths](DIR* dir, const dirent& entry) {
    const std::string_view name = entry.d_name;
    if (name.front() == '.') return;  // hidden
    if (CharacterCount(name) != kSchoolNumberLength) return;
    if (EntryIs(dir, entry, EntryKind::Directory)) paths.schools.emplace_back(name);
  });
  std::sort(paths.schools.begin(), paths.schools.end(), SelectorOrder);
}

bool SchoolFolderExists(const PathState& paths) {
  // A folder directly in the data base: "." or "13001/SCHULE" name other folders.
  const std::string& number = paths.schoolNumber;
  if (number.empty() || number == "." || number == ".." ||
      number.find(kPathSeparator) != std::string::npos) {
    return false;
  }
  return IsDirectory(paths.schoolDirectory);
}

void FindClasses(PathState& paths) {
  paths.classes.clear();
  paths.selectedClass = -1;
  if (paths.schoolDirectory.empty()) return;
  const std::string folder = ResolvePath(paths.schoolDirectory, kClassFolder);
  ForEachEntry(folder, [&paths](DIR* dir, const dirent& entry) {
    const std::string_view id = ClassIdOf(entry.d_name);
    if (!id.empty() && EntryIs(dir, entry, EntryKind::RegularFile)) {
      paths.classes.emplace_back(id);
    }
  });
  std::sort(paths.classes.begin(), paths.classes.end(), SelectorOrder);
  // "BS1A0100.CSV" beside "BS1A0100.csv" is one class.
  paths.classes.erase(std::unique(paths.classes.begin(), paths.classes.end()), paths.classes.end());
  if (!paths.classes.empty()) paths.selectedClass = 0;
}

void SelectSchool(PathState& paths, const std::string& text) {
  paths.schoolNumber = text;
  paths.schoolDirectory = SchoolDirectoryOf(paths.dataBaseDirectory, text);
}

bool SelectorOrder(const std::string& a, const std::string& b) {
  const auto folded = [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
  };
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char left = folded(a[i]);
    const unsigned char right = folded(b[i]);
    if (left != right) return left < right;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // std::string compares its chars as unsigned bytes
}

}  // namespace tab
