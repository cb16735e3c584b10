// DEFAULT_ICON, the program's own icon, as XPM images of 16, 32 and 48 pixels in 16 colours
// (the files under icons/, which packaging also turns into PNG files).
#pragma once

namespace quorvel {

extern const char* const* const kDefaultIcon16;
extern const char* const* const kDefaultIcon32;
extern const char* const* const kDefaultIcon48;

}  // namespace quorvel
