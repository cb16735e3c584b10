#include "convert/text_to_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/fold_full_width.h"
#include "convert/number_from_scan.h"
#include "convert/scan_number.h"
#include "convert/typed_value.h"

namespace quorvel {
namespace {

constexpr std::uint64_t kPlusZero = 0;
constexpr std::uint64_t kMinusZero = 0x8000000000000000;
constexpr std::uint64_t kPlusInfinity = 0x7FF0000000000000;
constexpr std::uint64_t kMinusInfinity = 0xFFF0000000000000;

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

std::uint64_t BitsOf(const std::string& text) { return Bits(TextToNumber(text.c_str())); }

struct TextCase {
  std::vector<std::string> texts;
  std::uint64_t expected_bits;
};

// Each row: texts that must all give exactly these bits (signs of zeros and infinities too).
TEST(TextToNumberTest, EdgeCases) {
  const std::vector<TextCase> cases = {
      {{"12.5", "  12.5abc", "12.5.3", "\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", "1\xA3\xB2.5"},
       Bits(12.5)},
      {{"\t\n 42", "\v\f42", "\r42"}, Bits(42)},
      {{"+7", "\xA3\xAB\xA3\xB7", "\xA1\xA1\xA3\xB7", "\xA1\xA1 +7"}, Bits(7)},
      {{"-3.25"}, Bits(-3.25)},
      {{".5"}, Bits(0.5)},
      {{"5.", "5.x"}, Bits(5)},
      {{"-.5"}, Bits(-0.5)},
      {{"1e3", "1E3", "1d3", "1D3", "1e+3", "1e0003", "\xA3\xB1\xA3\xE5\xA3\xB3", "1000", "1.e3.",
        "10000e-1"},
       Bits(1000)},
      {{"1E-3"}, Bits(0.001)},
      {{"1e", "1e+", "1ex", "1e 5", "1,000", "1.", "\xA3\xB1\xA3\xAC\xA3\xB5", "1\xA3\xC5"},
       Bits(1)},
      {{"2.5e+x", "2.5e-"}, Bits(2.5)},
      {{"1.2.3"}, Bits(1.2)},
      {{"3+4"}, Bits(3)},
      {{"12 34"}, Bits(12)},
      {{"\xA3\xAD\xA3\xB8"}, Bits(-8)},
      {{"\xA3\xB2\xA3\xC5\xA3\xB3"}, Bits(2000)},
      {{"\xA3\xB1\xA3\xE4\xA3\xB2"}, Bits(100)},
      {{"12\xA3\xB3"}, Bits(123)},
      {{"",
        " ",
        "   ",
        "-",
        "+",
        ".",
        "-.",
        "- 5",
        "+-5",
        "--5",
        "abc",
        "inf",
        "nan",
        "infinity",
        "0x1A",
        "\xC8\xFD",
        "e5",
        "\xA3",
        "\x81\x35",  // 0x35 is "5", the trail byte of a pair
        "\xA1\xA2\x35",
        ".e1"},
       kPlusZero},
      {{"-0", "-0.000", "-0e99999", "-.0", "-0e-99999", "-00000000000000000000000000000000", "-0x"},
       kMinusZero},
      {{"0e99999", "0.000", "0", "+0", "00.00e-5"}, kPlusZero},
      {{"0.1"}, Bits(0.1)},
      {{"3.14159265358979323846264338327950288"}, Bits(3.141592653589793)},
      {{"1.7976931348623158e308"}, Bits(DBL_MAX)},
      {{"1.7976931348623159e308", "1e309", "1e5200", "1e5201", "1e99999", "0.0001e5205"},
       kPlusInfinity},
      {{"-1e400", "-1e99999999999999999999999"}, kMinusInfinity},
      {{"1e-400", "1e-5201", "1e-99999999999999999999", "10000e-5205"}, kPlusZero},
      {{"-1e-400"}, kMinusZero},
      {{"2.2250738585072012e-308"}, 0x0010000000000000},
      {{"1.11253692925360069e-308"}, 0x0008000000000000},
      {{"4.9406564584124654e-324", "3e-324", "2.5e-324"}, 0x0000000000000001},
      {{"2e-324", "2.4703282292062328e-324"}, kPlusZero},
      {{"7e22"}, 0x44ADA56A4B0835BF},  // halfway: the double below 7 × 10^22
      {{"9.007199254740993e15", "9007199254740993"}, Bits(9007199254740992.0)},
      {{"9.007199254740995e15"}, Bits(9007199254740994.0)},
      {{"1.8014398509481991e16"}, Bits(18014398509481992.0)},
      {{"1" + std::string(23, '0') + "1"}, Bits(1e24)},
      {{"123456789012345678901234567890"}, Bits(1.2345678901234568e29)},
  };
  for (const TextCase& c : cases) {
    for (const std::string& text : c.texts) {
      EXPECT_EQ(BitsOf(text), c.expected_bits) << '"' << text << '"';
    }
  }
}

// An ASCII text is scanned where it stands unless the scan read a byte of 0x80 or above; the
// result must always be that of scanning the folded copy. Full-width characters are spliced
// into ASCII numbers at every position, so they fall before, at and just after the place where
// the scan of the unfolded text stops.
TEST(TextToNumberTest, ScanningInPlaceGivesWhatTheFoldedCopyGives) {
  const std::vector<std::string> numbers = {"12.5e+3x", "-.5d-2",  "  +7.e5",
                                            "1e",       "1e+",     ".",
                                            "-.",       "0.000e1", "123456789012345678901234567e-3",
                                            "3,4",      ""};
  const std::vector<std::string> inserts = {"\xA3\xB5", "\xA3\xE5", "\xA3\xAB",
                                            "\xA3\xAD", "\xA3\xAE", "\xA1\xA1",
                                            "\xC8\xFD", "\xA3",     "\x81"};
  for (const std::string& number : numbers) {
    for (std::size_t at = 0; at <= number.size(); ++at) {
      for (const std::string& insert : inserts) {
        const std::string text = number.substr(0, at) + insert + number.substr(at);
        const double expected = NumberFromScan(ScanNumber(FoldFullWidth(text.c_str()).c_str()));
        EXPECT_EQ(BitsOf(text), Bits(expected)) << '"' << text << '"';
      }
    }
  }
}

TEST(TextToNumberTest, NullIsTheEmptyText) { EXPECT_EQ(Bits(TextToNumber(nullptr)), kPlusZero); }

// The exponent part is taken exactly: many digits and a large exponent cancel. Capping the
// exponent at 5201 would read these as 1e99 and 1e-100.
TEST(TextToNumberTest, DigitsAndALargeExponentCancel) {
  EXPECT_EQ(BitsOf("1" + std::string(5300, '0') + "e-5300"), Bits(1.0));
  EXPECT_EQ(BitsOf("0." + std::string(5300, '0') + "1e5301"), Bits(1.0));
  EXPECT_EQ(BitsOf("-" + std::string(9000, '0') + "." + std::string(9000, '0') + "25e9001"),
            Bits(-2.5));
}

// Malformed and hostile input: every byte string gives a number and is left unchanged.
TEST(TextToNumberTest, BadInputGivesANumberAndIsNotChanged) {
  std::string all_high_bytes;
  for (int byte = 0xFF; byte >= 0x80; --byte) {
    all_high_bytes += static_cast<char>(byte);
  }
  std::string pairs_then_digit;  // every lead byte with every trail byte, then a lone lead
  for (int lead = 0x80; lead <= 0xFF; lead += 7) {
    for (int trail = 0x01; trail <= 0xFF; ++trail) {
      pairs_then_digit += static_cast<char>(lead);
      pairs_then_digit += static_cast<char>(trail);
    }
  }
  pairs_then_digit += "\xA3";
  const std::string megabyte_of_digits(1 << 20, '7');
  const std::string long_exponent = "4e-" + std::string(10000, '0') + "2";
  const std::string huge_exponent = "4e" + std::string(10000, '9');

  struct Hostile {
    std::string text;
    std::uint64_t expected_bits;
  };
  const std::vector<Hostile> cases = {
      {all_high_bytes, kPlusZero},
      {pairs_then_digit, kPlusZero},
      {"\xA3\xB9\xA3\xB9\xA3", Bits(99)},
      {megabyte_of_digits, kPlusInfinity},
      {"0." + megabyte_of_digits, Bits(0.7777777777777778)},
      {long_exponent, Bits(0.04)},
      {huge_exponent, kPlusInfinity},
      {"-" + huge_exponent, kMinusInfinity},
  };
  for (const Hostile& c : cases) {
    const std::string copy = c.text;
    EXPECT_EQ(Bits(TextToNumber(copy.c_str())), c.expected_bits) << c.text.substr(0, 40);
    EXPECT_EQ(copy, c.text);
  }
}

TEST(TextToNumberTest, TypedValueCarriesTheTextsReference) {
  const std::string text = "-12.5e1";
  // NOLINTNEXTLINE(*-reinterpret-cast): the low word of a text value is its address
  const TypedValue value{reinterpret_cast<std::uintptr_t>(text.c_str()), 0, kTextTypeMark};
  EXPECT_EQ(Bits(TextToNumber(value)), Bits(-125.0));
  const TypedValue no_text{0, 0, kTextTypeMark};
  EXPECT_EQ(Bits(TextToNumber(no_text)), kPlusZero);
}

TEST(TextToNumberDeathTest, ADoubleInsteadOfATextIsARunTimeError) {
  const TypedValue number{0, 0, kDoubleTypeMark};
  EXPECT_EXIT(TextToNumber(number), testing::ExitedWithCode(255), "80000601");
}

}  // namespace
}  // namespace quorvel
