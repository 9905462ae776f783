#include "support/other_user.hpp"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "records/error_text.hpp"

namespace tab::test {

namespace {

namespace fs = std::filesystem;

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// In the child: every failed assertion goes into the pipe, each ended by a NUL byte.
class FailureForwarder : public ::testing::EmptyTestEventListener {
 public:
  explicit FailureForwarder(int fd) : fd_(fd) {}
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed()) return;
    ++failures_;
    const char* file = result.file_name() != nullptr ? result.file_name() : "?";
    WriteAll(fd_, std::string(file) + ":" + std::to_string(result.line_number()) + ": " +
                      result.message() + '\0');
  }
  int Failures() const { return failures_; }

 private:
  int fd_;
  int failures_ = 0;
};

// As root: no supplementary groups, then the other user's group and user, for good.
bool BecomeOtherUser() {
  if (::geteuid() != 0) return true;
  return ::setgroups(0, nullptr) == 0 && ::setgid(kOtherGroup) == 0 && ::setuid(kOtherUser) == 0 &&
         ::setuid(0) != 0;
}

// `prepare` runs first in the child; a text it returns is the reason the part could not run.
void Run(const std::function<std::string()>& prepare, const std::function<void()>& part) {
  int pipeEnds[2];
  ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
  std::fflush(nullptr);  // nothing buffered is written twice
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipeEnds[0]);
    const std::string problem = prepare();
    if (!problem.empty()) {
      WriteAll(pipeEnds[1], problem + '\0');
      ::_exit(2);
    }
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    delete listeners.Release(listeners.default_result_printer());  // the parent reports
    auto* forwarder = new FailureForwarder(pipeEnds[1]);
    listeners.Append(forwarder);
    try {
      part();
    } catch (const std::exception& error) {
      ADD_FAILURE() << "exception: " << error.what();
    }
    // _exit: the parent's temporary folders and test state are not the child's to tidy up.
    ::_exit(forwarder->Failures() == 0 ? 0 : 1);
  }
  ::close(pipeEnds[1]);
  std::string report;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    report.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  std::size_t start = 0;
  for (std::size_t end = report.find('\0'); end != std::string::npos;
       start = end + 1, end = report.find('\0', start)) {
    ADD_FAILURE() << "child process: " << report.substr(start, end - start);
  }
  ASSERT_FALSE(WIFSIGNALED(status)) << "child process killed by signal " << WTERMSIG(status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
}

}  // namespace

void RunInChild(const std::function<void()>& part) {
  Run([] { return std::string(); }, part);
}

void RunAsAnotherUser(const TempDir& temp, const std::function<void()>& part) {
  fs::permissions(temp.Path(), fs::perms(0755));
  Run(
      [&temp] {
        if (!BecomeOtherUser()) {
          return "cannot become user " + std::to_string(kOtherUser) + ": " + ErrorText(errno);
        }
        if (::access(temp.Path().c_str(), R_OK | X_OK) != 0) {
          return "user " + std::to_string(::geteuid()) + " cannot reach " + temp.Path() +
                 " (is its parent folder open to others?)";
        }
        return std::string();
      },
      part);
}

void HandToOtherUser(const std::string& root) {
  if (::geteuid() != 0) return;
  ASSERT_EQ(::lchown(root.c_str(), kOtherUser, kOtherGroup), 0) << root;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    ASSERT_EQ(::lchown(entry.path().c_str(), kOtherUser, kOtherGroup), 0) << entry.path();
  }
}

}  // namespace tab::test
