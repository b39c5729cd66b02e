#pragma once

// For paths a test cannot reach otherwise: code run in a child process
// whose limits or refused system calls stay there.

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <functional>

namespace tolvane::testing {

// Runs `run` in a child process; true when it returned true there.
inline bool InChild(const std::function<bool()>& run) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(run() ? 0 : 1);
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// From now on every system call `nr` of this process whose argument `arg`
// has one of `bits` set fails with `error`, as it fails where the system
// lacks what the call needs. For ever: only in a child.
inline bool RefuseCalls(unsigned nr, unsigned arg, unsigned bits, int error) {
  const auto at = static_cast<unsigned>(offsetof(seccomp_data, args) + 8 * arg);
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, nr, 0, 3),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, at),
      BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, bits, 0, 1),
      BPF_STMT(BPF_RET | BPF_K,
               SECCOMP_RET_ERRNO | static_cast<unsigned>(error)),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
  const sock_fprog program{sizeof filter / sizeof *filter, filter};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

}  // namespace tolvane::testing
