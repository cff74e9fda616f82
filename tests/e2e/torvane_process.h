#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

namespace torvane::e2e {

// The real torvane binary started on the test display; killed if still running at the end.
class TorvaneProcess {
 public:
  // `environment` entries override (or, with an empty value, remove) variables of the test's own.
  explicit TorvaneProcess(const std::map<std::string, std::string>& environment = {});
  ~TorvaneProcess();
  TorvaneProcess(const TorvaneProcess&) = delete;
  TorvaneProcess& operator=(const TorvaneProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Exit code once the process has ended within `timeout`; nothing if it is still running.
  std::optional<int> waitForExit(std::chrono::milliseconds timeout);
  bool crashed() const { return signalled_; }
  std::string standardError() const;

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  bool signalled_ = false;
  std::string stderrPath_;
};

}  // namespace torvane::e2e
