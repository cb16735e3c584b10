// Decimal digit characters of an integer, eight at a time.
#pragma once

#include <bit>
#include <cstdint>

namespace quorvel {

// The eight characters "0"-"9" of `value` (below 10^8, leading zeros included) packed into a
// word in memory order, so that storing the word writes them first digit first.
//
// The value is split into two halves of four digits, each half into two pairs and each pair
// into two digits, every step dividing all lanes of the word at once: x / 100 is
// (x × 10486) >> 20 for x below 10^4 and x / 10 is (x × 103) >> 10 for x below 100, and the
// lanes are wide enough that no product spills into its neighbour.
constexpr std::uint64_t EightDigitCharacters(std::uint32_t value) {
  static_assert(std::endian::native == std::endian::little,
                "the lanes are laid out for a little-endian store");
  std::uint64_t lanes = (value / 10000) | (std::uint64_t{value % 10000} << 32);
  const std::uint64_t hundreds = ((lanes * 10486) >> 20) & 0x0000007F0000007F;
  lanes = hundreds | ((lanes - hundreds * 100) << 16);
  const std::uint64_t tens = ((lanes * 103) >> 10) & 0x000F000F000F000F;
  lanes = tens | ((lanes - tens * 10) << 8);
  return lanes + 0x3030303030303030;
}

}  // namespace quorvel
