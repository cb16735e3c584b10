#include "convert/extended_real.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>

#include "convert/uint128.h"

namespace quorvel {
namespace {

Uint128 Bits80(std::uint16_t high, std::uint64_t low) { return (Uint128{high} << 64) | low; }

ExtendedReal Special(ExtendedReal::Kind kind, bool negative) {
  ExtendedReal value;
  value.kind = kind;
  value.negative = negative;
  return value;
}

struct ProductCase {
  const char* what;
  ExtendedReal x;
  ExtendedReal y;
  ExtendedReal expected;
};

void PrintTo(const ProductCase& c, std::ostream* out) { *out << c.what; }

class MultiplyExtendedTest : public testing::TestWithParam<ProductCase> {};

TEST_P(MultiplyExtendedTest, GivesTheProductOfTheFixedProcedure) {
  const ProductCase& c = GetParam();
  EXPECT_EQ(MultiplyExtended(c.x, c.y), c.expected) << c.what;
  EXPECT_EQ(MultiplyExtended(c.y, c.x), c.expected) << c.what << " (operands swapped)";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MultiplyExtendedTest,
    testing::Values(
        // 1 × 1: the accumulator's top bit is clear, so it is shifted and the exponent drops.
        ProductCase{"one times one", FiniteExtended(0, kSignificandTopBit),
                    FiniteExtended(0, kSignificandTopBit), FiniteExtended(0, kSignificandTopBit)},
        // 1.5 × 1.5 = 2.25: the top bit is set, no shift, exponent ex + ey + 1.
        ProductCase{"no normalising shift", FiniteExtended(0, Bits80(0xC000, 0)),
                    FiniteExtended(0, Bits80(0xC000, 0)), FiniteExtended(1, Bits80(0x9000, 0))},
        // Exponents add; signs combine by exclusive or.
        ProductCase{"exponents and signs", FiniteExtended(-20, Bits80(0xC000, 0), true),
                    FiniteExtended(7, Bits80(0xC000, 0)),
                    FiniteExtended(-12, Bits80(0x9000, 0), true)},
        // The exact product rounds to ...418C; the limb products with i + j < 4 are not
        // formed, the accumulator is lower, and the result is ...418A.
        ProductCase{"truncated limb products",
                    FiniteExtended(0, Bits80(0xEC78, 0x91B7584A2265B1F5)),
                    FiniteExtended(0, Bits80(0x8813, 0xC386BBC4CD613E30)),
                    FiniteExtended(0, Bits80(0xFB64, 0x9DF1061F74EC418A))},
        // After the shift the top 80 bits are all ones and the dropped bits exceed half: the
        // increment carries out, giving 2^79 with the exponent raised back to 1.
        ProductCase{"rounding carry", FiniteExtended(0, Bits80(0xEB39, 0x18AE013EACA91679)),
                    FiniteExtended(0, Bits80(0x8B4E, 0x5BA4044E65B68EFE)),
                    FiniteExtended(1, kSignificandTopBit)},
        // 1.5 × (1 + 2^-79): exactly halfway between two 80-bit values; the odd one rounds up
        // to even.
        ProductCase{"halfway, odd goes up", FiniteExtended(0, Bits80(0xC000, 0)),
                    FiniteExtended(0, kSignificandTopBit + 1),
                    FiniteExtended(0, Bits80(0xC000, 2))},
        // 1.5 × (1 + 3 × 2^-79): halfway again, the even one stays.
        ProductCase{"halfway, even stays", FiniteExtended(0, Bits80(0xC000, 0)),
                    FiniteExtended(0, kSignificandTopBit + 3),
                    FiniteExtended(0, Bits80(0xC000, 4))},
        ProductCase{"overflow", FiniteExtended(8192, Bits80(0xC000, 0)),
                    FiniteExtended(8191, Bits80(0xC000, 0)),
                    Special(ExtendedReal::Kind::kInfinity, false)},
        ProductCase{"largest exponent", FiniteExtended(8192, Bits80(0xC000, 0)),
                    FiniteExtended(8191, kSignificandTopBit),
                    FiniteExtended(16383, Bits80(0xC000, 0))},
        ProductCase{"underflow", FiniteExtended(-8192, kSignificandTopBit, true),
                    FiniteExtended(-8191, kSignificandTopBit),
                    Special(ExtendedReal::Kind::kZero, true)},
        ProductCase{"smallest exponent", FiniteExtended(-8191, kSignificandTopBit),
                    FiniteExtended(-8191, kSignificandTopBit),
                    FiniteExtended(-16382, kSignificandTopBit)},
        ProductCase{"infinite operand", Special(ExtendedReal::Kind::kInfinity, false),
                    FiniteExtended(-3, kSignificandTopBit, true),
                    Special(ExtendedReal::Kind::kInfinity, true)},
        ProductCase{"zero operand", Special(ExtendedReal::Kind::kZero, true),
                    FiniteExtended(5, kSignificandTopBit, true),
                    Special(ExtendedReal::Kind::kZero, false)}));

}  // namespace
}  // namespace quorvel
