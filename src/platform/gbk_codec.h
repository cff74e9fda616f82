#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Program texts are GBK; the toolkit speaks UTF-8. Both directions go through GB18030, a superset
// of GBK that covers all of Unicode, so nothing typed is lost. Bytes that cannot be converted
// become U+FFFD.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

}  // namespace torvane
