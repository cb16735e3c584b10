#include "convert/fold_full_width.h"

#include <cstddef>
#include <cstring>
#include <memory>

namespace quorvel {
namespace {

constexpr unsigned char kFirstLeadByte = 0x80;
constexpr unsigned char kSymbolRow = 0xA1;     // GBK row of punctuation and symbols
constexpr unsigned char kFullWidthRow = 0xA3;  // GBK row of the full-width ASCII forms
constexpr unsigned char kIdeographicSpace = 0xA1;
constexpr unsigned char kFullWidthTilde = 0xAB;
constexpr unsigned char kWhiteStar = 0xEE;
constexpr unsigned char kBlackStar = 0xEF;
constexpr unsigned char kFirstFullWidthForm = 0xA1;  // "！", the form of 0x21
constexpr unsigned char kLastFullWidthForm = 0xFE;   // the form of 0x7E
constexpr unsigned char kFullWidthOffset = 0x80;

// The single byte a pair folds to, or 0 when the pair is kept as it is.
char FoldedPair(unsigned char lead, unsigned char trail) {
  if (lead == kFullWidthRow && trail >= kFirstFullWidthForm && trail <= kLastFullWidthForm) {
    return static_cast<char>(trail - kFullWidthOffset);
  }
  if (lead == kSymbolRow) {
    switch (trail) {
      case kIdeographicSpace:
        return ' ';
      case kFullWidthTilde:
        return '~';
      case kWhiteStar:
      case kBlackStar:
        return '*';
      default:
        break;
    }
  }
  return '\0';
}

}  // namespace

FoldedText::FoldedText(std::size_t length) {
  if (length + 1 > kInlineCapacity) {
    heap_bytes_ = std::make_unique_for_overwrite<char[]>(length + 1);  // NOLINT(*-avoid-c-arrays)
  }
  Terminate(0);
}

void FoldedText::Terminate(std::size_t size) {
  size_ = size;
  data()[size] = '\0';
}

FoldedText FoldFullWidth(const char* text) {
  const std::size_t length = std::strlen(text);
  FoldedText folded(length);
  char* out = folded.data();
  std::size_t written = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < kFirstLeadByte) {
      out[written++] = text[i];
      continue;
    }
    if (i + 1 == length) {
      break;  // a lead byte without its trail byte is dropped
    }
    const char single = FoldedPair(byte, static_cast<unsigned char>(text[i + 1]));
    if (single != '\0') {
      out[written++] = single;
    } else {
      out[written++] = text[i];
      out[written++] = text[i + 1];
    }
    ++i;
  }
  folded.Terminate(written);
  return folded;
}

}  // namespace quorvel
