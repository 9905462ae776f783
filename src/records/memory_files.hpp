#pragma once
// Files held in memory in place of the disk. While a MemoryFiles is in use, the file operations
// of this layer (PathExists, PathMissing, IsDirectory, CanEnterDirectory, ResolvePath,
// CreateNewFile, ReadWholeFile and the line reader) see its files and the folders their paths lie
// in, and nothing of the disk; above them the set-ups, loaders and commands run exactly as they do
// on files. The fuzz targets use it so that no input touches the disk.
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tab {

class MemoryFiles {
 public:
  // In use from now until it is destroyed; one at a time.
  MemoryFiles();
  ~MemoryFiles();
  MemoryFiles(const MemoryFiles&) = delete;
  MemoryFiles& operator=(const MemoryFiles&) = delete;

  // The one in use, or null: the disk.
  static MemoryFiles* InUse() { return inUse_; }

  // A file (replacing one of the same path) and the folders it lies in. Paths are absolute;
  // a '/' at the end of a folder's path does not count.
  void Put(std::string_view path, std::string bytes);
  void AddFolder(std::string_view path);
  void Remove(std::string_view path);  // a file; nothing when there is none

  const std::string* File(std::string_view path) const;  // null when there is no such file
  bool IsFolder(std::string_view path) const;
  // The names of the files and folders right inside a folder, in byte order.
  std::vector<std::string> Names(std::string_view folder) const;

  // What one read of a file gives at most, as a pipe or a network share may give less than
  // asked for; by default a read gives all that was asked for.
  void SetReadChunk(std::size_t bytes) { readChunk_ = bytes; }
  std::size_t ReadChunk() const { return readChunk_; }

 private:
  static inline MemoryFiles* inUse_ = nullptr;
  std::map<std::string, std::string, std::less<>> files_;
  std::set<std::string, std::less<>> folders_;
  std::size_t readChunk_ = static_cast<std::size_t>(-1);
};

}  // namespace tab
