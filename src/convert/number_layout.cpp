#include "convert/number_layout.h"

#include <cstdint>

namespace quorvel {
namespace {

constexpr std::int32_t kSmallestFixedExponent = -4;
constexpr std::int32_t kLargestFixedExponent = 12;

// Appends characters to a NumberText; the layout never writes more than 20.
class TextWriter {
 public:
  explicit TextWriter(NumberText& text) : text_(text) {}

  void Put(char c) { text_.chars[text_.length++] = c; }

  void Put(const char* first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Put(first[i]);
  }

  // Removes the zeros at the end and then a point left bare; `point_at` is where the point
  // stands, so that the digits before it are never touched.
  void TrimFraction(std::size_t point_at) {
    while (text_.length > point_at + 1 && text_.chars[text_.length - 1] == '0') --text_.length;
    if (text_.length == point_at + 1) --text_.length;
  }

  std::size_t length() const { return text_.length; }

 private:
  NumberText& text_;
};

void PutExponent(TextWriter& writer, std::int32_t exponent) {
  writer.Put('e');
  writer.Put(exponent < 0 ? '-' : '+');
  // Doubles reach only -324 to 308, so three digits always suffice.
  const auto magnitude = static_cast<std::uint32_t>(exponent < 0 ? -exponent : exponent);
  writer.Put(static_cast<char>('0' + magnitude / 100 % 10));
  writer.Put(static_cast<char>('0' + magnitude / 10 % 10));
  writer.Put(static_cast<char>('0' + magnitude % 10));
}

}  // namespace

NumberText LayOutNumber(const DisplayDigits& rounded) {
  NumberText text;
  TextWriter writer(text);
  if (rounded.negative) writer.Put('-');

  const char* digits = rounded.digits.data();
  const std::int32_t point = rounded.point_position;
  const std::int32_t exponent = point - 1;

  if (exponent < kSmallestFixedExponent || exponent > kLargestFixedExponent) {
    writer.Put(digits[0]);
    const std::size_t point_at = writer.length();
    writer.Put('.');
    writer.Put(digits + 1, kDisplayDigits - 1);
    writer.TrimFraction(point_at);
    PutExponent(writer, exponent);
    return text;
  }

  if (point >= 1) {
    const auto whole = static_cast<std::size_t>(point);
    writer.Put(digits, whole);
    const std::size_t point_at = writer.length();
    writer.Put('.');
    writer.Put(digits + whole, kDisplayDigits - whole);
    writer.TrimFraction(point_at);
  } else {
    writer.Put('0');
    const std::size_t point_at = writer.length();
    writer.Put('.');
    for (std::int32_t i = point; i < 0; ++i) writer.Put('0');
    writer.Put(digits, kDisplayDigits);
    writer.TrimFraction(point_at);
  }
  return text;
}

}  // namespace quorvel
