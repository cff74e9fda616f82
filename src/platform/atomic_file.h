#pragma once

#include <string>

#include "app/bytes.h"

namespace torvane {

// Replaces the file at `path` with `bytes`, or creates it. The bytes go to a temporary file in the
// same folder that is renamed over the target only once it is complete and flushed, so a failed
// write leaves an existing file as it was. A replaced file keeps its permission bits; a symlink is
// written through and survives. False for an empty path, a target that is not a regular file or
// that we may not write, and any failure to create, write or rename.
bool writeFile(const std::string& path, ByteView bytes);

}  // namespace torvane
