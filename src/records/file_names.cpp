#include "records/file_names.hpp"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace tab {
namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The entry of `dir` whose name equals `name` ignoring ASCII case. Should a folder hold several
// (possible on Linux), the smallest name in byte order wins, so the choice never depends on the
// order in which the file system lists them.
std::optional<std::string> FindIgnoringCase(const std::string& dir, std::string_view name) {
  DIR* folder = ::opendir(dir.empty() ? "." : dir.c_str());
  if (folder == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view candidate = entry->d_name;
    if (!EqualsIgnoringAsciiCase(candidate, name)) continue;
    if (!best || candidate < *best) best = std::string(candidate);
  }
  ::closedir(folder);
  return best;
}

}  // namespace

std::string ResolvePath(const std::string& dir, std::string_view relative) {
  std::string result = WithTrailingSeparator(dir);
  if (result.empty() && !relative.empty() && relative.front() == kPathSeparator) {
    result = std::string(1, kPathSeparator);
  }
  // Once a folder is missing, nothing below it can be found: the rest keeps its spelling.
  bool searching = true;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find(kPathSeparator, start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view component = relative.substr(start, end - start);
    if (!component.empty()) {
      std::string exact = result + std::string(component);
      if (searching && component != "." && component != ".." && !PathExists(exact)) {
        if (auto found = FindIgnoringCase(result, component)) {
          exact = result + *found;
        } else {
          searching = false;
        }
      }
      result = std::move(exact);
      if (end < relative.size()) result += kPathSeparator;
    }
    start = end + 1;
  }
  return result;
}

std::string WithTrailingSeparator(std::string dir) {
  if (!dir.empty() && dir.back() != kPathSeparator) dir += kPathSeparator;
  return dir;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CanEnterDirectory(const std::string& path) {
  return IsDirectory(path) && ::access(path.c_str(), X_OK) == 0;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace tab
