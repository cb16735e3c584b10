// NumberToText: a double as the text the calculator shows for it.
#pragma once

#include "convert/typed_value.h"
#include "ui/value_memory.h"

namespace quorvel {

// A new text value from the value memory holding FormatNumber's text for `number`; the caller
// releases it with ReleaseValue. Never null and never empty.
TextValue NumberToText(double number);

// The same for a number passed as a typed value: low word, high word and the double mark.
// Any other mark is a programming error and raises a run-time error.
TextValue NumberToText(const TypedValue& value);

}  // namespace quorvel
