#include "convert/text_to_number.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>

#include "convert/fold_full_width.h"
#include "convert/number_from_scan.h"
#include "convert/scan_number.h"
#include "convert/typed_value.h"
#include "ui/run_time_error.h"

namespace quorvel {
namespace {

// Whether any byte the scan read past its stopping point is 0x80 or above.
bool ReadAFoldableByte(const char* text, std::size_t stop) {
  for (std::size_t i = stop; i <= stop + 2 && text[i] != '\0'; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) {
      return true;
    }
  }
  return false;
}

}  // namespace

double TextToNumber(const char* text) {
  if (text == nullptr) {
    text = "";
  }
  // Folding changes only bytes of 0x80 and above and the bytes after them, so up to the first
  // such byte the folded copy is the text itself. When the scan of the text read no such byte,
  // it read exactly what it would have read in the folded copy, and the copy is not needed.
  const ScannedNumber direct = ScanNumber(text);
  if (!ReadAFoldableByte(text, direct.stop)) {
    return NumberFromScan(direct);
  }
  const FoldedText folded = FoldFullWidth(text);
  return NumberFromScan(ScanNumber(folded.c_str()));
}

double TextToNumber(const TypedValue& value) {
  if (value.mark != kTextTypeMark) {
    std::array<char, 16> mark{};
    std::snprintf(mark.data(), mark.size(), "%08X", value.mark);
    RaiseRunTimeError(
        std::string("TextToNumber needs a text (type mark 80000004) but was given type mark ") +
        mark.data());
  }
  // The low word of a text value is the text's address.
  // NOLINTNEXTLINE(*-reinterpret-cast,performance-no-int-to-ptr)
  return TextToNumber(reinterpret_cast<const char*>(value.low));
}

}  // namespace quorvel
