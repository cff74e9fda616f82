#pragma once

#include <string>

#include "app/bytes.h"

namespace torvane {

// The three texts the promotion window keeps, all GBK.
struct PromoTexts {
  std::string pageText;  // the section between the page markers
  std::string adText1;
  std::string adText2;
};

// Cuts the section and its two lines out of a fetched page body, taken as GBK up to its first
// zero byte. Anything missing yields empty texts.
PromoTexts extractPromoTexts(ByteView body);

}  // namespace torvane
