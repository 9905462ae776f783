#pragma once
// A test step run in a child process of its own: a hang becomes a failure instead of a test that
// never ends, and a memory limit (the address space) binds the step alone.
#include <cstddef>
#include <functional>
#include <string>

namespace tab::test {

struct ChildLimits {
  unsigned seconds = 60;  // the child is ended (SIGALRM) after this long
  // The child may map this many bytes beyond what the process has mapped when it forks (its
  // address space is limited to that); 0: no limit.
  std::size_t memoryHeadroom = 0;
};

struct ChildOutcome {
  bool exited = false;  // ended by _exit, not by a signal
  int code = -1;        // the body's return value; kOutOfMemory when it ran out of memory
  int signal = 0;       // the signal that ended it (SIGALRM: it hung)
  std::string report;   // what the body put into its report

  bool Succeeded() const { return exited && code == 0; }
  std::string Describe() const;  // for a failing check
};

// The exit code of a child whose step threw std::bad_alloc.
inline constexpr int kOutOfMemory = 99;

// Forks, applies the limits in the child and runs `body` there; what it writes into its report
// comes back to the parent. Only the child's memory counts against the limit.
ChildOutcome RunInChild(const std::function<int(std::string& report)>& body,
                        const ChildLimits& limits = {});

// Whether an address-space limit measures what the program uses: not under AddressSanitizer,
// which reserves terabytes of shadow memory up front.
bool AddressSpaceLimitsWork();

}  // namespace tab::test
