#pragma once
// File modes do not bind root, and the tests run as root in CI. A part of a test that needs them
// to bind runs in a child process that, when the tests run as root, first becomes an unprivileged
// user ("nobody"). The child's failed assertions come back through a pipe and fail the test here;
// so do a crash of the child and a failed change of user.
#include <sys/types.h>

#include <functional>
#include <string>

#include "support/fixture.hpp"

namespace tab::test {

// The user and group the part runs as when the tests run as root.
inline constexpr uid_t kOtherUser = 65534;
inline constexpr gid_t kOtherGroup = 65534;

// Runs `part` in a child process as it is (limits or signal handlers set there stay there).
void RunInChild(const std::function<void()>& part);

// Runs `part` in a child process, as the other user when the tests run as root. `temp` is opened
// to everyone (0755) first, since the other user must reach what lies below it; the child fails
// plainly when it still cannot.
void RunAsAnotherUser(const TempDir& temp, const std::function<void()>& part);

// As root: the tree below `root` (root included) goes to the other user, so that it may write
// there as the program may. Nothing happens for any other user.
void HandToOtherUser(const std::string& root);

}  // namespace tab::test
