#include "support/bench_support.hpp"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

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

bool RunThisProgramAgain(const std::vector<std::string>& arguments, std::string& output) {
  output.clear();
  int fds[2];
  if (::pipe(fds) != 0) return false;
  std::vector<std::string> args = {"bench"};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[0]);
    ::close(fds[1]);
    ::execv("/proc/self/exe", argv.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  char buffer[256];
  for (ssize_t n; child > 0 && (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) return std::atol(line.c_str() + 6);
  }
  return -1;
}

}  // namespace tab::bench
