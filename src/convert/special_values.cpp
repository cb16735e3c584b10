#include "convert/special_values.h"

#include <string_view>

namespace quorvel {
namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kExponentBits = std::uint64_t{0x7FF} << 52;
constexpr std::uint64_t kFractionBits = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
constexpr std::uint64_t kDefaultNaN = 0xFFF8000000000000;

DecimalExpansion MarkerExpansion(std::string_view marker, bool negative) {
  DecimalExpansion expansion;
  expansion.negative = negative;
  expansion.point_position = 1;
  marker.copy(expansion.digits.data(), marker.size());
  expansion.digit_count = marker.size();
  return expansion;
}

}  // namespace

std::optional<DecimalExpansion> ExpandSpecialValue(std::uint64_t bits) {
  const bool negative = (bits & kSignBit) != 0;
  const std::uint64_t magnitude = bits & ~kSignBit;

  if (magnitude == 0) {
    DecimalExpansion zero;
    zero.digits[0] = '0';
    zero.digit_count = 1;
    return zero;
  }
  if ((magnitude & kExponentBits) != kExponentBits) return std::nullopt;
  if ((magnitude & kFractionBits) == 0) return MarkerExpansion("1#INF", negative);

  const std::uint64_t quiet = bits | kQuietBit;
  if (quiet == kDefaultNaN) return MarkerExpansion("1#IND", true);
  return MarkerExpansion("1#QNAN", negative);
}

}  // namespace quorvel
