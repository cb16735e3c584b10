#include "convert/fold_full_width.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

std::string Folded(const std::string& text) {
  return std::string(FoldFullWidth(text.c_str()).view());
}

TEST(FoldFullWidthTest, FoldsTheListedPairs) {
  EXPECT_EQ(Folded("\xA1\xA1"), " ");
  EXPECT_EQ(Folded("\xA1\xAB"), "~");
  EXPECT_EQ(Folded("\xA1\xEE\xA1\xEF"), "**");
  // The whole full-width row A3 A1 to A3 FE becomes the ASCII characters 0x21 to 0x7E.
  std::string row;
  std::string ascii;
  for (int trail = 0xA1; trail <= 0xFE; ++trail) {
    row += '\xA3';
    row += static_cast<char>(trail);
    ascii += static_cast<char>(trail - 0x80);
  }
  EXPECT_EQ(Folded(row), ascii);
}

TEST(FoldFullWidthTest, KeepsOtherPairsAndAsciiAsTheyAre) {
  const std::vector<std::string> kept = {
      "\xA3\xA0",     // the full-width row below its first form
      "\xA3\xFF",     // and above its last
      "\xA1\xA2",     // another symbol of row A1
      "\xC8\xFD",     // a Chinese character
      "\x81\x31",     // a trail byte below 0x80 still belongs to its lead byte
      "\xA3\x41",     // likewise, and it is not folded
      "12.5e-3 abc",  // plain ASCII, control characters included
      "\t\n\v\f\r",
  };
  for (const std::string& text : kept) {
    EXPECT_EQ(Folded(text), text);
  }
}

// Pairs are taken from the start: the trail byte of one pair is never the lead of the next.
TEST(FoldFullWidthTest, PairsAreTakenFromTheStart) {
  EXPECT_EQ(Folded("\x81\xA3\xB1"), "\x81\xA3");           // then B1 stands alone before the NUL
  EXPECT_EQ(Folded("\xA3\xA3\xB1\xA3\xB2"), "#\xB1\xA3");  // A3 A3, B1 A3, then B2 alone
}

TEST(FoldFullWidthTest, DropsALeadByteJustBeforeTheEnd) {
  EXPECT_EQ(Folded("5\xA3"), "5");
  EXPECT_EQ(Folded("\xA3"), "");
  EXPECT_EQ(Folded(""), "");
}

// A text longer than the inline room goes to the heap and folds the same way; the input is
// left as it was.
TEST(FoldFullWidthTest, LongTextsFoldTheSameWayAndTheInputIsUnchanged) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    text +=
        "\xA3\xB7"
        "8";
    expected += "78";
  }
  const std::string original = text;
  const FoldedText folded = FoldFullWidth(text.c_str());
  EXPECT_EQ(folded.view(), expected);
  EXPECT_EQ(folded.c_str()[folded.view().size()], '\0');
  EXPECT_EQ(text, original);
}

}  // namespace
}  // namespace quorvel
