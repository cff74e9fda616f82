#include "promo/promo_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gbk_codec.h"

namespace torvane {
namespace {

PromoTexts extract(const std::string& page) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(page.data());
  return extractPromoTexts(ByteView(data, page.size()));
}

// Pages are written in UTF-8 here for reading and converted to the GBK bytes a server sends.
std::string gbk(std::string_view utf8) { return utf8ToGbk(utf8); }

TEST(PromoPage, ExtractsTheSectionAndBothLines) {
  struct Case {
    const char* name;
    std::string page;
    std::string pageText;
    std::string adText1;
    std::string adText2;
  };
  const std::vector<Case> cases = {
      {"in order", gbk("Quorrel头部广告1=abc</p>广告2=xyz</p>Quorrel尾部"),
       gbk("广告1=abc</p>广告2=xyz</p>"), "abc", "xyz"},
      {"reversed", gbk("Quorrel头部广告2=xyz</p>广告1=abc</p>Quorrel尾部"),
       gbk("广告2=xyz</p>广告1=abc</p>"), "abc", "xyz"},
      {"Chinese lines kept as bytes",
       gbk("<p>Quorrel头部<p>广告1=免费工具&amp;</p><p>广告2=<b>欢迎</b>转载</p>Quorrel尾部"),
       gbk("<p>广告1=免费工具&amp;</p><p>广告2=<b>欢迎</b>转载</p>"), gbk("免费工具&amp;"),
       gbk("<b>欢迎</b>转载")},
      {"outside the section ignored",
       gbk("广告1=bad</p>Quorrel头部广告1=abc</p>广告2=xyz</p>Quorrel尾部广告2=bad</p>"),
       gbk("广告1=abc</p>广告2=xyz</p>"), "abc", "xyz"},
      {"empty line", gbk("Quorrel头部广告1=</p>广告2=xyz</p>Quorrel尾部"),
       gbk("广告1=</p>广告2=xyz</p>"), "", "xyz"},
      {"no </p> after the line", gbk("Quorrel头部广告2=xyz</p>广告1=abcQuorrel尾部</p>"),
       gbk("广告2=xyz</p>广告1=abc"), "", "xyz"},
      {"doubled opening marker",
       gbk("Quorrel头部广告1=one</p>Quorrel头部广告1=two</p>广告2=xyz</p>Quorrel尾部"),
       gbk("广告1=one</p>Quorrel头部广告1=two</p>广告2=xyz</p>"), "one", "xyz"},
      {"marker on a second byte skipped",
       gbk("Quorrel头部") + std::string("\xB0") +
           gbk("广告1=bad</p>广告1=good</p>广告2=xyz</p>Quorrel尾部"),
       std::string("\xB0") + gbk("广告1=bad</p>广告1=good</p>广告2=xyz</p>"), "good", "xyz"},
      {"UTF-8 page", "Quorrel头部广告1=abc</p>广告2=xyz</p>Quorrel尾部", "", "", ""},
      {"cut by a zero byte",
       gbk("Quorrel头部广告1=abc</p>") + '\0' + gbk("广告2=xyz</p>Quorrel尾部"), "", "", ""},
      {"no closing marker", gbk("Quorrel头部广告1=abc</p>广告2=xyz</p>"), "", "", ""},
      {"empty page", "", "", "", ""},
      // Without a marker the search starts at the marker's length less one: byte 10 of the page
      // for the section, byte 5 of the section for the missing second line.
      {"no opening marker", gbk("0123456789广告1=abc</p>Quorrel尾部"), gbk("9广告1=abc</p>"), "abc",
       std::string("\xE6") + "1=abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PromoTexts texts = extract(c.page);
    EXPECT_EQ(texts.pageText, c.pageText);
    EXPECT_EQ(texts.adText1, c.adText1);
    EXPECT_EQ(texts.adText2, c.adText2);
  }
}

}  // namespace
}  // namespace torvane
