// The working copy of a text in which GBK's double-byte full-width forms of the ASCII
// characters, the ideographic space and the two star symbols become single bytes, so that a
// number typed in full-width characters reads like the same number in ASCII.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>

namespace quorvel {

// A NUL-terminated byte buffer owned by one conversion. Texts of calculator size fit in the
// object itself; a longer one gets a heap block of its own length, never more.
class FoldedText {
 public:
  static constexpr std::size_t kInlineCapacity = 64;  // bytes, NUL included

  // Room for `length` bytes and the NUL.
  explicit FoldedText(std::size_t length);

  char* data() { return heap_bytes_ ? heap_bytes_.get() : inline_bytes_.data(); }
  const char* c_str() const { return heap_bytes_ ? heap_bytes_.get() : inline_bytes_.data(); }
  std::string_view view() const { return {c_str(), size_}; }

  // Ends the text after `size` bytes (at most the length given at construction).
  void Terminate(std::size_t size);

 private:
  std::array<char, kInlineCapacity> inline_bytes_{};
  std::unique_ptr<char[]> heap_bytes_;  // NOLINT(*-avoid-c-arrays): a sized byte block
  std::size_t size_ = 0;
};

// Walks `text` (NUL-terminated, not null, only read) pair by pair: a byte below 0x80 is copied;
// a byte of 0x80 or above pairs with the next byte, whatever it is, and a listed pair becomes
// one byte while any other pair is copied; a lead byte just before the NUL is dropped.
FoldedText FoldFullWidth(const char* text);

}  // namespace quorvel
