#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace torvane {

// Whole files held in memory: cursor, picture and sound files, and BMP exports.
using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

}  // namespace torvane
