#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace torvane {

// Whole files held in memory: cursor, picture and sound files, and BMP exports.
using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;
// A file that never changes once made, held by several owners without a copy each.
using SharedBytes = std::shared_ptr<const Bytes>;

}  // namespace torvane
