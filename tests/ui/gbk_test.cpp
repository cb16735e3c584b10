#include "ui/gbk.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

struct GbkCase {
  const char* utf8;
  const char* gbk;
};

TEST(Gbk, ConvertsBothWays) {
  const std::vector<GbkCase> cases = {
      {"", ""},
      {"Quorvel 1.5e3", "Quorvel 1.5e3"},
      {"\xE8\xAE\xA1\xE7\xAE\x97", "\xBC\xC6\xCB\xE3"},                      // 计算
      {"\xEF\xBC\x91\xEF\xBC\x8E\xEF\xBC\x95", "\xA3\xB1\xA3\xAE\xA3\xB5"},  // １．５
      {"\xE3\x80\x80", "\xA1\xA1"},                                          // ideographic space
  };
  for (const GbkCase& c : cases) {
    EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
    EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.utf8;
  }
}

TEST(Gbk, CharacterWithoutGbkFormBecomesQuestionMark) {
  // An emoji and a Korean syllable have no GBK form.
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80"
                      "b"),
            "a?b");
  EXPECT_EQ(Utf8ToGbk("\xED\x95\x9C"
                      "1"),
            "?1");  // 한
}

TEST(Gbk, MalformedInputBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk("x\xFFy"), "x?y");
  EXPECT_EQ(Utf8ToGbk("x\xE8\xAE"), "x??");  // a character cut short: each byte counts
  EXPECT_EQ(GbkToUtf8("x\xBC"), "x?");       // a lead byte without its trail byte
}

}  // namespace
}  // namespace quorvel
