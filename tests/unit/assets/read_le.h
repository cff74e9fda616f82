#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/bytes.h"

namespace torvane::test {

inline std::uint32_t le16(ByteView b, std::size_t at) { return b[at] | b[at + 1] << 8; }

inline std::uint32_t le32(ByteView b, std::size_t at) {
  return le16(b, at) | static_cast<std::uint32_t>(le16(b, at + 2)) << 16;
}

inline std::string tag(ByteView b, std::size_t at) {
  return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

}  // namespace torvane::test
