// Writes the header with the two power-of-ten factor tables to standard output:
//   quorvel-power-of-ten-table > src/convert/power_of_ten_factors.h
// Each factor 10^(d * 8^k) and 10^-(d * 8^k) (k = 0..3 with d = 1..7, then k = 4 with d = 1)
// is computed exactly with a small unsigned big integer and rounded once to the nearest
// 80-bit significand, ties to even. Nothing here uses floating point.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSignificandBits = 80;

// Little-endian 32-bit limbs, no leading zero limbs.
using BigInteger = std::vector<std::uint32_t>;

void Trim(BigInteger& value) {
  while (!value.empty() && value.back() == 0) {
    value.pop_back();
  }
}

void MultiplySmall(BigInteger& value, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : value) {
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) {
    value.push_back(static_cast<std::uint32_t>(carry));
  }
}

void ShiftLeftOne(BigInteger& value) {
  std::uint32_t carry = 0;
  for (std::uint32_t& limb : value) {
    const std::uint32_t next_carry = limb >> 31;
    limb = (limb << 1) | carry;
    carry = next_carry;
  }
  if (carry != 0) {
    value.push_back(carry);
  }
}

int Compare(const BigInteger& a, const BigInteger& b) {
  if (a.size() != b.size()) {
    return a.size() < b.size() ? -1 : 1;
  }
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) {
      return a[i] < b[i] ? -1 : 1;
    }
  }
  return 0;
}

// a -= b, with a >= b.
void Subtract(BigInteger& a, const BigInteger& b) {
  std::uint64_t borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::uint64_t subtrahend = (i < b.size() ? b[i] : 0) + borrow;
    borrow = subtrahend > a[i] ? 1 : 0;
    a[i] = static_cast<std::uint32_t>((std::uint64_t{a[i]} + (borrow << 32)) - subtrahend);
  }
  Trim(a);
}

std::size_t BitLength(const BigInteger& value) {
  if (value.empty()) {
    return 0;
  }
  std::size_t length = 32 * (value.size() - 1);
  for (std::uint32_t top = value.back(); top != 0; top >>= 1) {
    ++length;
  }
  return length;
}

bool Bit(const BigInteger& value, std::size_t index) {
  return index / 32 < value.size() && ((value[index / 32] >> (index % 32)) & 1) != 0;
}

BigInteger PowerOfTen(int n) {
  BigInteger value{1};
  for (int i = 0; i < n; ++i) {
    MultiplySmall(value, 10);
  }
  return value;
}

struct Factor {
  std::int64_t exponent = 0;  // the value is significand * 2^(exponent - 79)
  std::uint16_t high = 0;     // significand bits 64..79
  std::uint64_t low = 0;      // significand bits 0..63
};

// Rounds the 80 leading bits given by `bits` (most significant first) with the round bit and
// whether anything non-zero lies below it.
Factor Round(const std::vector<bool>& bits, bool round_bit, bool sticky, std::int64_t exponent) {
  std::uint16_t high = 0;
  std::uint64_t low = 0;
  for (std::size_t i = 0; i < bits.size(); ++i) {
    const std::size_t weight = bits.size() - 1 - i;
    if (bits[i]) {
      if (weight >= 64) {
        high = static_cast<std::uint16_t>(high | (1U << (weight - 64)));
      } else {
        low |= std::uint64_t{1} << weight;
      }
    }
  }
  if (round_bit && (sticky || (low & 1) != 0)) {
    ++low;
    if (low == 0) {
      ++high;
      if (high == 0) {  // all 80 bits were ones: the significand becomes 2^79
        high = 0x8000;
        ++exponent;
      }
    }
  }
  return Factor{exponent, high, low};
}

Factor PositiveFactor(int n) {
  const BigInteger power = PowerOfTen(n);
  const std::size_t length = BitLength(power);
  std::vector<bool> bits;
  for (std::size_t i = 0; i < kSignificandBits; ++i) {
    bits.push_back(i < length && Bit(power, length - 1 - i));
  }
  bool round_bit = false;
  bool sticky = false;
  if (length > kSignificandBits) {
    const std::size_t round_index = length - 1 - kSignificandBits;
    round_bit = Bit(power, round_index);
    for (std::size_t i = 0; i < round_index; ++i) {
      sticky = sticky || Bit(power, i);
    }
  }
  return Round(bits, round_bit, sticky, static_cast<std::int64_t>(length) - 1);
}

// 1 / 10^n by binary long division: the remainder is doubled until it reaches the divisor,
// which fixes the exponent, then each further doubling yields one quotient bit.
Factor NegativeFactor(int n) {
  const BigInteger divisor = PowerOfTen(n);
  BigInteger remainder{1};
  std::int64_t exponent = 0;
  while (Compare(remainder, divisor) < 0) {
    ShiftLeftOne(remainder);
    --exponent;
  }
  std::vector<bool> bits;
  for (int i = 0; i <= kSignificandBits; ++i) {
    const bool bit = Compare(remainder, divisor) >= 0;
    if (bit) {
      Subtract(remainder, divisor);
    }
    bits.push_back(bit);
    ShiftLeftOne(remainder);
  }
  const bool round_bit = bits.back();
  bits.pop_back();
  return Round(bits, round_bit, !remainder.empty(), exponent);
}

std::vector<int> TablePowers() {
  std::vector<int> powers;
  int place = 1;
  for (int position = 0; position < 4; ++position, place *= 8) {
    for (int digit = 1; digit <= 7; ++digit) {
      powers.push_back(digit * place);
    }
  }
  powers.push_back(place);
  return powers;
}

// The entries' trailing comments are aligned the way the project's formatter aligns them, so
// the committed header is both the generator's exact output and formatter-clean.
void PrintTable(const char* name, bool negative) {
  std::vector<std::string> entries;
  std::vector<std::string> comments;
  std::size_t widest = 0;
  for (const int power : TablePowers()) {
    const Factor factor = negative ? NegativeFactor(power) : PositiveFactor(power);
    std::array<char, 64> entry{};
    std::snprintf(entry.data(), entry.size(), "{%lld, 0x%04X, 0x%016llX},",
                  static_cast<long long>(factor.exponent), static_cast<unsigned>(factor.high),
                  static_cast<unsigned long long>(factor.low));
    entries.emplace_back(entry.data());
    comments.push_back(std::string("// 10^") + (negative ? "-" : "") + std::to_string(power));
    widest = std::max(widest, entries.back().size());
  }
  std::printf("inline constexpr PowerOfTenFactorTable %s = {{\n", name);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::printf("    %-*s  %s\n", static_cast<int>(widest), entries[i].c_str(),
                comments[i].c_str());
  }
  std::printf("}};\n");
}

}  // namespace

int main() {
  std::printf(
      "// Generated by tools/power_of_ten_table (quorvel-power-of-ten-table); do not edit.\n"
      "// Each factor is the exact power of ten rounded to the nearest 80-bit significand, given\n"
      "// as its base-2 exponent and the significand's top 16 and low 64 bits.\n"
      "#pragma once\n"
      "\n"
      "#include <array>\n"
      "#include <cstdint>\n"
      "\n"
      "namespace quorvel {\n"
      "\n"
      "struct PowerOfTenFactorBits {\n"
      "  std::int32_t exponent;\n"
      "  std::uint16_t significand_high;\n"
      "  std::uint64_t significand_low;\n"
      "};\n"
      "\n"
      "inline constexpr int kPowerOfTenFactorCount = 29;\n"
      "using PowerOfTenFactorTable = std::array<PowerOfTenFactorBits, kPowerOfTenFactorCount>;\n"
      "\n"
      "// 10^(d * 8^k) at index 7 * k + d - 1 for k = 0..3 and d = 1..7; 10^4096 last.\n");
  PrintTable("kPositivePowerOfTenFactors", false);
  std::printf("\n// The same for 10^-(d * 8^k).\n");
  PrintTable("kNegativePowerOfTenFactors", true);
  std::printf("\n}  // namespace quorvel\n");
  return std::ferror(stdout) != 0 ? 1 : 0;
}
