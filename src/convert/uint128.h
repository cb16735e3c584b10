// The 128-bit unsigned integer that holds 80-bit significands and the 96-bit working values.
#pragma once

namespace quorvel {

__extension__ using Uint128 = unsigned __int128;

}  // namespace quorvel
