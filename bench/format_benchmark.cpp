// FormatNumber against the library renderings of "%.13g", on the same numbers in one run.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "convert/format_number.h"

namespace {

constexpr std::size_t kNumbers = 4096;

// Bit patterns drawn uniformly, so every binary exponent is about equally likely.
std::vector<double> EveryMagnitude() {
  std::mt19937_64 random(7);
  std::vector<double> numbers;
  while (numbers.size() < kNumbers) {
    const auto number = std::bit_cast<double>(random());
    if (std::isfinite(number)) numbers.push_back(number);
  }
  return numbers;
}

// What a calculator mostly shows: thirds, small integers and sums of short decimals.
std::vector<double> CalculatorLike() {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> small(-9999, 9999);
  std::vector<double> numbers;
  while (numbers.size() < kNumbers) {
    numbers.push_back(small(random) / 3.0);
    numbers.push_back(small(random));
    numbers.push_back(small(random) / 100.0 + small(random) / 10.0);
  }
  numbers.resize(kNumbers);
  return numbers;
}

const std::vector<double>& Numbers(std::int64_t set) {
  static const std::vector<double> kEveryMagnitude = EveryMagnitude();
  static const std::vector<double> kCalculatorLike = CalculatorLike();
  return set == 0 ? kEveryMagnitude : kCalculatorLike;
}

template <typename Formatter>
void Run(benchmark::State& state, Formatter format) {
  const std::vector<double>& numbers = Numbers(state.range(0));
  state.SetLabel(state.range(0) == 0 ? "every magnitude" : "calculator-like");
  std::size_t i = 0;
  for (auto _ : state) {
    format(numbers[i]);
    i = (i + 1) % numbers.size();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FormatNumber(benchmark::State& state) {
  Run(state, [](double number) {
    quorvel::NumberText text = quorvel::FormatNumber(number);
    benchmark::DoNotOptimize(text);
  });
}

void BM_Snprintf(benchmark::State& state) {
  Run(state, [](double number) {
    std::array<char, 32> buffer{};
    benchmark::DoNotOptimize(std::snprintf(buffer.data(), buffer.size(), "%.13g", number));
    benchmark::DoNotOptimize(buffer);
  });
}

void BM_ToChars(benchmark::State& state) {
  Run(state, [](double number) {
    std::array<char, 32> buffer{};
    benchmark::DoNotOptimize(std::to_chars(buffer.data(), buffer.data() + buffer.size(), number,
                                           std::chars_format::general, 13));
    benchmark::DoNotOptimize(buffer);
  });
}

void BM_Fmt(benchmark::State& state) {
  Run(state, [](double number) {
    std::array<char, 32> buffer{};
    benchmark::DoNotOptimize(fmt::format_to_n(buffer.data(), buffer.size(), "{:.13g}", number));
    benchmark::DoNotOptimize(buffer);
  });
}

BENCHMARK(BM_FormatNumber)->Arg(0)->Arg(1);
BENCHMARK(BM_Snprintf)->Arg(0)->Arg(1);
BENCHMARK(BM_ToChars)->Arg(0)->Arg(1);
BENCHMARK(BM_Fmt)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
