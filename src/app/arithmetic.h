// The four operations of the calculator. The exact result is rounded first to a 64-bit
// significand and then to a double, both to nearest with ties to even, which is what the
// x87 unit does at extended precision when the result is stored. No exception traps:
// overflow gives an infinity, an invalid operation the default NaN.
#pragma once

#include <cstdint>

namespace quorvel {

enum class Operation : std::uint8_t { kAdd, kSubtract, kMultiply, kDivide };

// The NaN every invalid operation gives: sign and quiet bit set, other fraction bits 0.
inline constexpr std::uint64_t kDefaultNanBits = 0xFFF8000000000000;

// True where Calculate runs on the x87 unit; elsewhere it runs CalculateInSoftware.
#if defined(__i386__) || defined(__x86_64__)
inline constexpr bool kCalculatesOnX87 = true;
#else
inline constexpr bool kCalculatesOnX87 = false;
#endif

// first op second, as the calculator computes it.
double Calculate(Operation operation, double first, double second);

// The same two roundings reproduced with integer arithmetic; gives the same bits as the
// x87 path for every pair of operands. Built everywhere so the two can be compared.
double CalculateInSoftware(Operation operation, double first, double second);

}  // namespace quorvel
