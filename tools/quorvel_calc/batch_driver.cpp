#include "quorvel_calc/batch_driver.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvel::calc {
namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 16;
constexpr std::size_t kOutputFlushSize = std::size_t{1} << 20;

// Collects output and writes it in large blocks: no flush per line.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* out) : out_(out) { text_.reserve(kOutputFlushSize + 256); }

  void AppendLine(std::string_view line) {
    text_.append(line);
    text_.push_back('\n');
    if (text_.size() >= kOutputFlushSize) {
      Flush();
    }
  }

  // False once any write failed.
  bool Flush() {
    if (!text_.empty() && std::fwrite(text_.data(), 1, text_.size(), out_) != text_.size()) {
      ok_ = false;
    }
    text_.clear();
    return ok_;
  }

 private:
  std::FILE* out_;
  std::string text_;
  bool ok_ = true;
};

}  // namespace

int RunBatch(BatchLineFunction answer_line, std::FILE* in, std::FILE* out, std::FILE* err) {
  OutputBuffer output(out);
  std::array<char, kReadChunk> chunk{};
  std::string pending;  // a line whose end has not been read yet
  std::string answer;
  std::string reason;
  unsigned long long line_number = 0;
  bool all_answered = true;

  const auto answer_one = [&](std::string_view line) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    answer.clear();
    reason.clear();
    if (answer_line(line, answer, reason)) {
      output.AppendLine(answer);
    } else {
      all_answered = false;
      output.AppendLine({});
      std::fprintf(err, "line %llu: %s\n", line_number, reason.c_str());
    }
  };

  for (;;) {
    const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), in);
    if (count == 0) {
      break;
    }
    std::string_view rest(chunk.data(), count);
    for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
      if (pending.empty()) {
        answer_one(rest.substr(0, end));
      } else {
        pending.append(rest.substr(0, end));
        answer_one(pending);
        pending.clear();
      }
      rest.remove_prefix(end + 1);
    }
    pending.append(rest);
  }
  const bool read_failed = std::ferror(in) != 0;
  if (!pending.empty()) {
    answer_one(pending);
  }
  if (read_failed) {
    std::fprintf(err, "reading standard input failed: %s\n", std::strerror(errno));
  }
  if (!output.Flush() || std::fflush(out) != 0) {
    std::fprintf(err, "writing standard output failed: %s\n", std::strerror(errno));
    return 1;
  }
  return all_answered && !read_failed ? 0 : 1;
}

}  // namespace quorvel::calc
