#include "app/compute_clicked.h"

#include <bit>
#include <cstdint>

#include "app/arithmetic.h"
#include "app/control_ids.h"
#include "convert/number_to_text.h"
#include "convert/text_to_number.h"
#include "convert/typed_value.h"
#include "ui/value_memory.h"
#include "ui/window_services.h"

namespace quorvel {
namespace {

// Asked of the live control on every call, so each comparison sees the current selection.
PropertyWord ReadSelection() {
  return Services().ReadProperty(kMainWindowId, kComboBox1Id, kComboBoxSelection, kWholeValue);
}

// The number in an operand box. An empty box hands out no text and counts as the empty
// text; a text handed out is released as soon as it is converted.
double ReadOperand(std::uint32_t box_id) {
  auto* const text = reinterpret_cast<TextValue>(
      Services().ReadProperty(kMainWindowId, box_id, kEditBoxContent, kWholeValue));
  const char* const converted = text != nullptr ? text : "";
  const double number =
      TextToNumber(TypedValue{reinterpret_cast<std::uintptr_t>(converted), 0, kTextTypeMark});
  if (text != nullptr) Services().ReleaseValue(text);
  return number;
}

void ShowResult(double result) {
  const auto bits = std::bit_cast<std::uint64_t>(result);
  const TextValue text = NumberToText(TypedValue{
      static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), kDoubleTypeMark});
  Services().WriteProperty(kMainWindowId, kEditBox3Id, kEditBoxContent, kWholeValue,
                           reinterpret_cast<PropertyWord>(text), 0);
  if (text != nullptr) Services().ReleaseValue(text);
}

// The first box is read, converted and released before the second is read, so at most
// one text is held at any time.
void PerformCalculation(Operation operation) {
  const double first = ReadOperand(kEditBox1Id);
  const double second = ReadOperand(kEditBox2Id);
  ShowResult(Calculate(operation, first, second));
}

}  // namespace

void ComputeClicked() {
  // The selection is read again before each comparison: once for "+", twice for "-",
  // three times for "*" and four times otherwise. Any other value does nothing.
  if (ReadSelection() == 0) {
    PerformCalculation(Operation::kAdd);
    return;
  }
  if (ReadSelection() == 1) {
    PerformCalculation(Operation::kSubtract);
    return;
  }
  if (ReadSelection() == 2) {
    PerformCalculation(Operation::kMultiply);
    return;
  }
  if (ReadSelection() == 3) PerformCalculation(Operation::kDivide);
}

}  // namespace quorvel
