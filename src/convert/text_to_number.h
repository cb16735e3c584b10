// Text to number: any GBK text, in ASCII or full-width characters, becomes a double by fixed
// integer rules, the same on every machine and thread and whatever the FPU settings.
#pragma once

#include "convert/typed_value.h"

namespace quorvel {

// Reads the longest leading part of `text` that forms a decimal number and ignores the rest; a
// text without one gives +0. Null stands for the empty text. The text is only read.
double TextToNumber(const char* text);

// The calculation command's form: `value` must carry a text (low = its reference, high 0, mark
// kTextTypeMark). Any other mark is a programming error and raises a run-time error.
double TextToNumber(const TypedValue& value);

}  // namespace quorvel
