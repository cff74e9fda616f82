#pragma once

#include <string>

namespace torvane {

// Opens `url` with the desktop's default handler (the default browser); the result is not
// reported.
void openUrl(const std::string& url);

}  // namespace torvane
