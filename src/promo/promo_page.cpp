#include "promo/promo_page.h"

#include "promo/gbk_text.h"
#include "promo/promo_markers.h"

namespace torvane {

PromoTexts extractPromoTexts(ByteView body) {
  PromoTexts texts;
  texts.pageText = bytesToText(body);
  texts.pageText = textBetween(texts.pageText, kPageStartMarker, kPageEndMarker);
  texts.adText1 = textBetween(texts.pageText, kLine1Marker, kLineEndMarker);
  texts.adText2 = textBetween(texts.pageText, kLine2Marker, kLineEndMarker);
  return texts;
}

}  // namespace torvane
