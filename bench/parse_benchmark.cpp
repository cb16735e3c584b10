// Text to number against glibc strtod, fast_float and double-conversion on the same corpora:
//   random    decimals of 1 to 25 significant digits over the whole exponent range
//   calculator short inputs as typed into the calculator, such as "12.5" or "-3"
// Each benchmark converts the whole corpus once per iteration; the counter ns_per_number gives
// the CPU time per conversion (shown in seconds with an SI prefix, so "25.1ns").
#include <benchmark/benchmark.h>
#include <double-conversion/double-conversion.h>
#include <fast_float/fast_float.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "convert/text_to_number.h"

namespace {

constexpr std::size_t kCorpusSize = 10000;

std::string RandomDigits(std::mt19937_64& random, int count) {
  std::string digits(1, static_cast<char>('1' + random() % 9));
  for (int i = 1; i < count; ++i) {
    digits += static_cast<char>('0' + random() % 10);
  }
  return digits;
}

// Scientific notation, first digit's exponent from -330 to 310 (so some underflow to zero and
// some overflow to infinity), with a sign half of the time.
const std::vector<std::string>& RandomCorpus() {
  static const std::vector<std::string> corpus = [] {
    std::mt19937_64 random(42);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < kCorpusSize; ++i) {
      const std::string digits = RandomDigits(random, 1 + static_cast<int>(random() % 25));
      const int exponent = static_cast<int>(random() % 641) - 330;
      // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on chains of operator+.
      std::string text = random() % 2 == 0 ? "-" : "";
      text += digits[0];
      if (digits.size() > 1) {
        text += '.';
        text.append(digits, 1);
      }
      text += 'e';
      text += std::to_string(exponent);
      texts.push_back(text);
    }
    return texts;
  }();
  return corpus;
}

// Up to four digits before and two after the point, now and then a sign or a small exponent.
const std::vector<std::string>& CalculatorCorpus() {
  static const std::vector<std::string> corpus = [] {
    std::mt19937_64 random(7);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < kCorpusSize; ++i) {
      std::string text = random() % 8 == 0 ? "-" : "";
      text += std::to_string(random() % std::uint64_t{10000});
      if (const std::uint64_t decimals = random() % 3; decimals > 0) {
        text += '.';
        text += RandomDigits(random, static_cast<int>(decimals));
      }
      if (random() % 16 == 0) {
        text += 'e';
        text += std::to_string(random() % 20);
      }
      texts.push_back(text);
    }
    return texts;
  }();
  return corpus;
}

double WithTextToNumber(const std::string& text) { return quorvel::TextToNumber(text.c_str()); }

double WithStrtod(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

double WithFastFloat(const std::string& text) {
  // Like the others it gets only the NUL-terminated text, so it finds the length itself.
  const char* begin = text.c_str();
  double value = 0;
  fast_float::from_chars(begin, begin + std::strlen(begin), value);
  return value;
}

double WithDoubleConversion(const std::string& text) {
  static const double_conversion::StringToDoubleConverter converter(
      double_conversion::StringToDoubleConverter::ALLOW_LEADING_SPACES |
          double_conversion::StringToDoubleConverter::ALLOW_TRAILING_JUNK,
      0.0, NAN, nullptr, nullptr);
  const char* begin = text.c_str();
  int processed = 0;
  return converter.StringToDouble(begin, static_cast<int>(std::strlen(begin)), &processed);
}

template <double (*Convert)(const std::string&), const std::vector<std::string>& (*Corpus)()>
void Parse(benchmark::State& state) {
  const std::vector<std::string>& texts = Corpus();
  for (auto _ : state) {
    std::uint64_t mix = 0;
    for (const std::string& text : texts) {
      mix ^= std::bit_cast<std::uint64_t>(Convert(text));
    }
    benchmark::DoNotOptimize(mix);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
  state.counters["ns_per_number"] = benchmark::Counter(
      static_cast<double>(texts.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(Parse<WithTextToNumber, RandomCorpus>)->Name("random/TextToNumber");
BENCHMARK(Parse<WithStrtod, RandomCorpus>)->Name("random/strtod");
BENCHMARK(Parse<WithFastFloat, RandomCorpus>)->Name("random/fast_float");
BENCHMARK(Parse<WithDoubleConversion, RandomCorpus>)->Name("random/double-conversion");
BENCHMARK(Parse<WithTextToNumber, CalculatorCorpus>)->Name("calculator/TextToNumber");
BENCHMARK(Parse<WithStrtod, CalculatorCorpus>)->Name("calculator/strtod");
BENCHMARK(Parse<WithFastFloat, CalculatorCorpus>)->Name("calculator/fast_float");
BENCHMARK(Parse<WithDoubleConversion, CalculatorCorpus>)->Name("calculator/double-conversion");

}  // namespace

BENCHMARK_MAIN();
