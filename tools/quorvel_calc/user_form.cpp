#include "quorvel_calc/user_form.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/arithmetic.h"
#include "convert/number_to_text.h"
#include "convert/text_to_number.h"
#include "convert/typed_value.h"
#include "ui/gbk.h"
#include "ui/value_memory.h"

namespace quorvel::calc {
namespace {

constexpr int kUsageStatus = 2;

std::optional<Operation> OperationOf(std::string_view text) {
  if (text == "+") return Operation::kAdd;
  if (text == "-") return Operation::kSubtract;
  if (text == "*" || text == "x" || text == "X" || text == "\u00D7") return Operation::kMultiply;
  if (text == "/" || text == "\u00F7") return Operation::kDivide;
  return std::nullopt;
}

// The operand as the window reads it: a GBK text handed to TextToNumber as a typed value.
double OperandNumber(std::string_view utf8) {
  const std::string gbk = Utf8ToGbk(utf8);
  return TextToNumber(TypedValue{reinterpret_cast<std::uintptr_t>(gbk.c_str()), 0, kTextTypeMark});
}

}  // namespace

int RunUserForm(std::string_view first, std::string_view operator_text, std::string_view second,
                std::FILE* out, std::FILE* err) {
  const std::optional<Operation> operation = OperationOf(operator_text);
  if (!operation) {
    std::fprintf(err,
                 "quorvel-calc: unknown operator '%.*s'; use + - * / (x or × also multiply, "
                 "÷ also divides)\n",
                 static_cast<int>(operator_text.size()), operator_text.data());
    return kUsageStatus;
  }
  const double first_number = OperandNumber(first);
  const double second_number = OperandNumber(second);
  const auto bits =
      std::bit_cast<std::uint64_t>(Calculate(*operation, first_number, second_number));
  const TextValue text = NumberToText(TypedValue{
      static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), kDoubleTypeMark});
  // The result text is plain ASCII, the same in GBK and UTF-8.
  std::fprintf(out, "%s\n", text);
  ReleaseValue(text);
  return std::fflush(out) == 0 ? 0 : 1;
}

}  // namespace quorvel::calc
