#include "records/memory_files.hpp"

#include <algorithm>
#include <cstdlib>

namespace tab {
namespace {

// "/a/b/" and "/a/b" name the same folder; "/" stays.
std::string_view Normal(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}

std::string_view Parent(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace

MemoryFiles::MemoryFiles() {
  // Two at once would leave the first one's files visible after the second is gone.
  if (inUse_ != nullptr) std::abort();
  inUse_ = this;
  folders_.emplace("/");
}

MemoryFiles::~MemoryFiles() {
  inUse_ = nullptr;
}

void MemoryFiles::Put(std::string_view path, std::string bytes) {
  path = Normal(path);
  AddFolder(Parent(path));
  const auto found = files_.find(path);
  if (found != files_.end()) {
    found->second = std::move(bytes);
  } else {
    files_.emplace(std::string(path), std::move(bytes));
  }
}

void MemoryFiles::AddFolder(std::string_view path) {
  for (path = Normal(path); !path.empty() && !folders_.contains(path); path = Parent(path)) {
    folders_.emplace(path);
  }
}

void MemoryFiles::Remove(std::string_view path) {
  const auto found = files_.find(Normal(path));
  if (found != files_.end()) files_.erase(found);
}

const std::string* MemoryFiles::File(std::string_view path) const {
  const auto found = files_.find(Normal(path));
  return found == files_.end() ? nullptr : &found->second;
}

bool MemoryFiles::IsFolder(std::string_view path) const {
  return folders_.contains(Normal(path));
}

std::vector<std::string> MemoryFiles::Names(std::string_view folder) const {
  folder = Normal(folder);
  const std::string prefix = folder == "/" ? std::string(folder) : std::string(folder) + "/";
  std::vector<std::string> names;
  // Paths right inside the folder: the prefix and a name without a further '/'.
  const auto take = [&](std::string_view path) {
    if (!path.starts_with(prefix)) return false;
    const std::string_view name = path.substr(prefix.size());
    if (!name.empty() && name.find('/') == std::string_view::npos) names.emplace_back(name);
    return true;
  };
  for (auto it = folders_.lower_bound(prefix); it != folders_.end() && take(*it); ++it) {
  }
  for (auto it = files_.lower_bound(prefix); it != files_.end() && take(it->first); ++it) {
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tab
