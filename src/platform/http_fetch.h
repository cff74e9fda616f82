#pragma once

#include <cstddef>
#include <string>

#include "app/bytes.h"

namespace torvane {

// Bounds of one fetch. The fetch blocks the user-interface thread, so a silent server must not
// hold it for long, and a hostile one must not exhaust memory.
struct FetchLimits {
  long connectMs = 5000;
  long totalMs = 10000;
  std::size_t maxBytes = std::size_t{4} << 20;
};

// One HTTP/1.0 GET, direct (proxy variables are ignored) and uncached. Returns the body whatever
// the status; on a failure, a timeout or the size cap, the bytes received until then.
Bytes fetchUrl(const std::string& url);
Bytes fetchUrl(const std::string& url, const FetchLimits& limits);

}  // namespace torvane
