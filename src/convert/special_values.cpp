#include "convert/special_values.h"

#include <string_view>

namespace quorvel {
namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kExponentBits = std::uint64_t{0x7FF} << 52;
constexpr std::uint64_t kFractionBits = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
constexpr std::uint64_t kDefaultNaN = 0xFFF8000000000000;

// The text padded with "0" as DecimalExpansion holds its digits.
DecimalExpansion PaddedExpansion(std::string_view text, std::int32_t point_position,
                                 bool negative) {
  DecimalExpansion expansion;
  expansion.negative = negative;
  expansion.point_position = point_position;
  expansion.digits.fill('0');
  text.copy(expansion.digits.data(), text.size());
  return expansion;
}

}  // namespace

std::optional<DecimalExpansion> ExpandSpecialValue(std::uint64_t bits) {
  const bool negative = (bits & kSignBit) != 0;
  const std::uint64_t magnitude = bits & ~kSignBit;

  if (magnitude == 0) return PaddedExpansion("0", 0, false);
  if ((magnitude & kExponentBits) != kExponentBits) return std::nullopt;
  if ((magnitude & kFractionBits) == 0) return PaddedExpansion("1#INF", 1, negative);

  const std::uint64_t quiet = bits | kQuietBit;
  if (quiet == kDefaultNaN) return PaddedExpansion("1#IND", 1, true);
  return PaddedExpansion("1#QNAN", 1, negative);
}

}  // namespace quorvel
