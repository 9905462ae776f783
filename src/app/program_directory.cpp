#include "app/program_directory.hpp"

#include <filesystem>
#include <system_error>

namespace tab {

std::string ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  std::string folder = executable.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace tab
