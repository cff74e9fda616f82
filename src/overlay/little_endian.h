#pragma once

#include <cstddef>
#include <cstdint>

#include "app/bytes.h"

namespace torvane {

// Callers check that the bytes exist.
inline std::uint32_t readU16(ByteView b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}

inline std::uint32_t readU32(ByteView b, std::size_t at) {
  return readU16(b, at) | readU16(b, at + 2) << 16;
}

inline void writeU16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void writeU32(std::uint8_t* p, std::uint32_t v) {
  writeU16(p, v & 0xFFFF);
  writeU16(p + 2, v >> 16);
}

}  // namespace torvane
