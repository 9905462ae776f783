#include "records/file_names.hpp"

#include "records/error_text.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

#include "records/byte_source.hpp"
#include "records/memory_files.hpp"

namespace tab {
namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The entry of `dir` whose name equals `name` ignoring ASCII case. Should a folder hold several
// (possible on Linux), the smallest name in byte order wins, so the choice never depends on the
// order in which the file system lists them.
std::optional<std::string> FindIgnoringCase(const std::string& dir, std::string_view name) {
  std::optional<std::string> best;
  const auto consider = [&](std::string_view candidate) {
    if (!EqualsIgnoringAsciiCase(candidate, name)) return;
    if (!best || candidate < *best) best = std::string(candidate);
  };
  if (const MemoryFiles* memory = MemoryFiles::InUse()) {
    for (const std::string& candidate : memory->Names(dir)) consider(candidate);
    return best;
  }
  DIR* folder = ::opendir(dir.empty() ? "." : dir.c_str());
  if (folder == nullptr) return std::nullopt;
  while (const dirent* entry = ::readdir(folder)) consider(entry->d_name);
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
  if (const MemoryFiles* memory = MemoryFiles::InUse()) {
    return memory->File(path) != nullptr || memory->IsFolder(path);
  }
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool PathMissing(const std::string& path) {
  if (MemoryFiles::InUse() != nullptr) return !PathExists(path);
  struct stat info {};
  return ::lstat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool IsDirectory(const std::string& path) {
  if (const MemoryFiles* memory = MemoryFiles::InUse()) return memory->IsFolder(path);
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CanEnterDirectory(const std::string& path) {
  if (MemoryFiles::InUse() != nullptr) return IsDirectory(path);
  return IsDirectory(path) && ::access(path.c_str(), X_OK) == 0;
}

namespace {

// The error of an entry that is not a regular file, 0 for a regular one.
int KindError(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return 0;
  return S_ISDIR(info.st_mode) ? EISDIR : kNotRegularFile;
}

}  // namespace

int OpenForReading(const std::string& path, int& error, std::uint64_t* size) {
  // A look before the open spares opening a device at all; the look at the open file below
  // decides, since the entry may change in between.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && KindError(info) != 0) {
    error = KindError(info);
    return -1;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  error = ::fstat(fd, &info) != 0 ? errno : KindError(info);
  if (error == 0) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) error = errno;
  }
  if (error != 0) {
    ::close(fd);
    return -1;
  }
  if (size != nullptr) *size = static_cast<std::uint64_t>(info.st_size);
  return fd;
}

namespace {

// Returns 0 or the errno of the failed write.
int WriteAllBytes(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// A new file beside `path` ("<path>.tmp-" and six letters), created with the mode an ordinary
// new file gets (the umask applies). Returns the descriptor, or -1 with errno set.
int CreateTemporaryBeside(const std::string& path, std::string& name) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::minstd_rand random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = path + ".tmp-";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Makes a rename in the folder of `path` durable; a failure here changes nothing the user could
// act on.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The file a new content replaces: the target of a symbolic link, so that the link stays a
// link. A link whose target cannot be found is replaced as a file would be.
std::string LinkTargetOf(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* target = ::realpath(path.c_str(), nullptr);
  if (target == nullptr) return path;
  std::string resolved = target;
  std::free(target);
  return resolved;
}

}  // namespace

int CreateNewFile(const std::string& path, std::string_view content) {
  if (MemoryFiles* memory = MemoryFiles::InUse()) {
    const std::size_t slash = path.rfind('/');
    if (memory->File(path) != nullptr || memory->IsFolder(path)) return EEXIST;
    if (slash != std::string::npos && !memory->IsFolder(path.substr(0, slash + 1))) return ENOENT;
    memory->Put(path, std::string(content));
    return 0;
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  int error = WriteAllBytes(fd, content);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(path.c_str());
  return error;
}

int ReplaceFile(const std::string& path, std::string_view content) {
  const std::string replaced = LinkTargetOf(path);
  std::string temporary;
  const int fd = CreateTemporaryBeside(replaced, temporary);
  if (fd < 0) return errno;
  int error = 0;
  // The new file keeps the mode of the one it replaces (a read-only file stays read-only).
  struct stat old {};
  if (::stat(replaced.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
      ::fchmod(fd, old.st_mode & 07777) != 0) {
    error = errno;
  }
  if (error == 0) error = WriteAllBytes(fd, content);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), replaced.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return error;
  }
  SyncFolderOf(replaced);
  return 0;
}

int ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  const std::unique_ptr<ByteSource> source = OpenByteSource(path);
  if (const int error = source->OpenError(); error != 0) return error;
  char buffer[65536];
  for (;;) {
    int error = 0;
    const std::ptrdiff_t got = source->Read(buffer, sizeof buffer, error);
    if (got < 0) return error;
    if (got == 0) return 0;
    content.append(buffer, static_cast<std::size_t>(got));
  }
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace tab
