#include "e2e/torvane_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace torvane::e2e {

TorvaneProcess::TorvaneProcess(const std::map<std::string, std::string>& environment) {
  char pattern[] = "/tmp/torvane-stderr-XXXXXX";
  const int errFd = mkstemp(pattern);
  stderrPath_ = pattern;
  pid_ = fork();
  if (pid_ == 0) {
    for (const auto& [name, value] : environment) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    dup2(errFd, STDERR_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    execl(TORVANE_BINARY, TORVANE_BINARY, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(errFd);
}

TorvaneProcess::~TorvaneProcess() {
  if (pid_ > 0 && !exited_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  unlink(stderrPath_.c_str());
}

std::optional<int> TorvaneProcess::waitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      exited_ = true;
      signalled_ = WIFSIGNALED(status);
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::string TorvaneProcess::standardError() const {
  std::ifstream in(stderrPath_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace torvane::e2e
