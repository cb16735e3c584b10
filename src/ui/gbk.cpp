#include "ui/gbk.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace quorvel {
namespace {

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {
    if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::system_error(errno, std::generic_category(), "iconv_open");
    }
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() { iconv_close(descriptor_); }

  // Converts `input`; where a character cannot be converted or the input is malformed,
  // appends "?" and skips `skip(rest)` bytes of the input.
  template <typename Skip>
  std::string Convert(std::string_view input, Skip skip) {
    std::string output;
    output.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());  // iconv's signature; the input is not changed
    std::size_t in_left = input.size();
    std::array<char, 256> buffer{};
    while (in_left > 0) {
      char* out = buffer.data();
      std::size_t out_left = buffer.size();
      const std::size_t result = iconv(descriptor_, &in, &in_left, &out, &out_left);
      output.append(buffer.data(), buffer.size() - out_left);
      if (result != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      if (errno != EILSEQ && errno != EINVAL) {
        throw std::system_error(errno, std::generic_category(), "iconv");
      }
      output += '?';
      const std::size_t skipped = skip(std::string_view(in, in_left));
      in += skipped;
      in_left -= skipped;
    }
    return output;
  }

 private:
  iconv_t descriptor_;
};

// Bytes of the UTF-8 character at the start of `rest`, or 1 when it is malformed.
std::size_t Utf8CharacterLength(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest.front());
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  }
  if (length > rest.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

// A GBK character that cannot be converted takes two bytes when its lead byte is a lead
// byte and the next one a valid trail byte; anything else is skipped byte by byte.
std::size_t GbkCharacterLength(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest.front());
  if (lead >= 0x81 && lead <= 0xFE && rest.size() >= 2) {
    const auto trail = static_cast<unsigned char>(rest[1]);
    if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) return 2;
  }
  return 1;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
  return Converter("GBK", "UTF-8").Convert(utf8, Utf8CharacterLength);
}

std::string GbkToUtf8(std::string_view gbk) {
  return Converter("UTF-8", "GBK").Convert(gbk, GbkCharacterLength);
}

}  // namespace quorvel
