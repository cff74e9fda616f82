#pragma once

#include <string_view>

namespace torvane {

// The page's markers as GBK bytes: the page is matched byte for byte, never converted.
inline constexpr std::string_view kPageStartMarker = "Quorrel\xCD\xB7\xB2\xBF";  // Quorrel头部
inline constexpr std::string_view kPageEndMarker = "Quorrel\xCE\xB2\xB2\xBF";    // Quorrel尾部
inline constexpr std::string_view kLine1Marker = "\xB9\xE3\xB8\xE6\x31=";        // 广告1=
inline constexpr std::string_view kLine2Marker = "\xB9\xE3\xB8\xE6\x32=";        // 广告2=
inline constexpr std::string_view kLineEndMarker = "</p>";                       // </p>

}  // namespace torvane
