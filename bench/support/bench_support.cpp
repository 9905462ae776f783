#include "support/bench_support.hpp"

#include <dirent.h>

#include "records/line_reader.hpp"

namespace tab::bench {

std::size_t CountEntries(const std::string& folder) {
  std::size_t count = 0;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return 0;
  while (const dirent* entry = readdir(dir)) count += entry->d_name[0] != '.';
  closedir(dir);
  return count;
}

std::size_t ReadLineBytes(const std::vector<std::string>& paths) {
  std::string line;
  std::size_t total = 0;
  for (const std::string& path : paths) {
    LineReader reader(path);
    while (reader.Next(line)) total += line.size();
  }
  return total;
}

}  // namespace tab::bench
