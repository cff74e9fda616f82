#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/bytes.h"

namespace torvane {

// Texts are GBK byte strings. Positions are 1-based and, like lengths, count bytes, so a two-byte
// character counts 2. -1 stands for "not found".

std::ptrdiff_t textLength(std::string_view t);

// First occurrence of s in t. The search steps a character at a time (a byte of 0x80 or above
// starts a two-byte character), so a match never starts on a character's second byte. An empty s
// is found at 1 in a non-empty t and not at all in an empty one.
std::ptrdiff_t findText(std::string_view t, std::string_view s);

// At most count bytes of t from position start; empty when start lies outside t or count <= 0.
// Works on bytes and may cut a two-byte character.
std::string midText(std::string_view t, std::ptrdiff_t start, std::ptrdiff_t count);

// The bytes before the first zero byte, or all of them.
std::string bytesToText(ByteView bytes);

// A missing text (a null view) equals the empty text.
bool textEquals(std::string_view a, std::string_view b);

// The bytes after the first open and before the next close; empty when close does not follow.
// Without open in t the search starts at byte textLength(open) - 1, the arithmetic of the
// not-found position, and nothing relies on that result.
std::string textBetween(std::string_view t, std::string_view open, std::string_view close);

}  // namespace torvane
