#include "promo/gbk_text.h"

#include <algorithm>

namespace torvane {

std::ptrdiff_t textLength(std::string_view t) { return static_cast<std::ptrdiff_t>(t.size()); }

std::ptrdiff_t findText(std::string_view t, std::string_view s) {
  if (s.empty()) return t.empty() ? -1 : 1;
  std::size_t i = 0;
  while (i < t.size()) {
    if (t.substr(i, s.size()) == s) return static_cast<std::ptrdiff_t>(i) + 1;
    i += static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1;
  }
  return -1;
}

std::string midText(std::string_view t, std::ptrdiff_t start, std::ptrdiff_t count) {
  if (start < 1 || start > textLength(t) || count <= 0) return {};
  const auto from = static_cast<std::size_t>(start - 1);
  return std::string(t.substr(from, static_cast<std::size_t>(count)));
}

std::string bytesToText(ByteView bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return std::string(bytes.begin(), end);
}

bool textEquals(std::string_view a, std::string_view b) { return a == b; }

std::string textBetween(std::string_view t, std::string_view open, std::string_view close) {
  const std::ptrdiff_t p = findText(t, open);
  const std::string rest = midText(t, p + textLength(open), textLength(t));
  const std::ptrdiff_t q = findText(rest, close);
  return midText(rest, 1, q - 1);
}

}  // namespace torvane
