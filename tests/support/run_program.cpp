#include "support/run_program.hpp"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace tab::test {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const RunOptions& options) {
  int out[2];
  int err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (options.outputFile.empty()) {
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, options.outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  posix_spawn_file_actions_adddup2(&actions, options.errorsIntoOutput ? out[1] : err[1], 2);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envp = environment;
  std::vector<char*> argPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(envp);
  pid_t child = -1;
  const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argPointers.data(),
                                    envPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  ::close(err[1]);
  ProgramRun run;
  if (spawned != 0) {
    ::close(out[0]);
    ::close(err[0]);
    throw std::runtime_error("cannot start " + program);
  }
  // Both pipes are read as they fill, so that neither blocks the program.
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* targets[2] = {&run.output, &run.errors};
  int open = 2;
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        targets[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return run;
}

std::vector<std::string> EnvironmentWithout(const std::vector<std::string>& names,
                                            const std::vector<std::string>& extra) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    bool dropped = false;
    for (const std::string& name : names) {
      if (text.starts_with(name + "=")) dropped = true;
    }
    if (!dropped) environment.push_back(text);
  }
  environment.insert(environment.end(), extra.begin(), extra.end());
  return environment;
}

void ExpectUsageError(const ProgramRun& run, const std::string& tool,
                      const std::string& firstLine) {
  EXPECT_EQ(run.status, 2) << run.errors;
  EXPECT_EQ(run.output, "");
  const std::string first = run.errors.substr(0, run.errors.find('\n'));
  EXPECT_EQ(first, tool + ": " + firstLine);
  EXPECT_EQ(run.errors.substr(first.size(), 9), "\n\nAufruf:") << run.errors;
}

}  // namespace tab::test
