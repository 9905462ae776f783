#include "support/child_process.hpp"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <new>

namespace tab::test {

namespace {

// The size of the process's address space (the first number of /proc/self/statm, in pages).
std::size_t MappedBytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  unsigned long pages = 0;
  if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
  std::fclose(statm);
  return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

}  // namespace

std::string ChildOutcome::Describe() const {
  if (!exited)
    return "ended by signal " + std::to_string(signal) + (signal == SIGALRM ? " (hung)" : "");
  if (code == kOutOfMemory) return "ran out of memory";
  return "exit code " + std::to_string(code) + ", report: " + report;
}

ChildOutcome RunInChild(const std::function<int(std::string& report)>& body,
                        const ChildLimits& limits) {
  ChildOutcome outcome;
  int channel[2];
  if (::pipe(channel) != 0) return outcome;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(channel[0]);
    ::close(channel[1]);
    return outcome;
  }
  if (child == 0) {
    ::close(channel[0]);
    std::signal(SIGALRM, SIG_DFL);
    ::alarm(limits.seconds);
    if (limits.memoryHeadroom != 0) {
      const rlim_t bytes = MappedBytes() + limits.memoryHeadroom;
      const rlimit limit{bytes, bytes};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(98);
    }
    std::string report;
    int code = 0;
    try {
      code = body(report);
    } catch (const std::bad_alloc&) {
      code = kOutOfMemory;
    }
    for (std::size_t sent = 0; sent < report.size();) {
      const ssize_t n = ::write(channel[1], report.data() + sent, report.size() - sent);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    ::_exit(code);
  }
  ::close(channel[1]);
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    outcome.report.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  outcome.exited = WIFEXITED(status);
  if (outcome.exited) outcome.code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  return outcome;
}

bool AddressSpaceLimitsWork() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return false;
#else
  return true;
#endif
#else
  return true;
#endif
}

}  // namespace tab::test
