// SPDX-License-Identifier: MIT
// Timings of the two calculations with the texts a user types for common threads. Each call
// parses its texts and writes its results, as the window does at every click of its buttons.
// And the reading of a pasted text of 100,000 characters, which must take time in proportion to
// its length, not to its square.
#include <benchmark/benchmark.h>

#include <string>

#include "best_wire_diameter.h"
#include "m_value.h"
#include "number_parse.h"

namespace threewire {
namespace {

struct ThreadInputs {
  const char* pitch;
  const char* starts;
  const char* pitch_diameter;
  const char* wire_diameter;
  const char* profile_angle;
};

// Pitch diameters and wire sizes are those an inspector would type for each thread.
constexpr ThreadInputs kFineMetric{"1", "1", "9.350", "0.577", "60"};        // M10 × 1
constexpr ThreadInputs kCoarseMetric{"1.5", "1", "9.026", "0.866", "60"};    // M10 × 1.5
constexpr ThreadInputs kTrapezoidal{"6", "3", "33", "3.106", "30"};          // Tr 36 × 18 (P6)
constexpr ThreadInputs kWhitworth{"2.1167", "1", "11.345", "1.1932", "55"};  // 1/2" BSW

void BM_ComputeMValue(benchmark::State& state, ThreadInputs in) {
  for (auto _ : state) {
    auto result =
        ComputeMValue(in.pitch, in.starts, in.pitch_diameter, in.wire_diameter, in.profile_angle);
    // A failing calculation would time the early exit instead of the whole one.
    if (!result) {
      state.SkipWithError("ComputeMValue failed");
      break;
    }
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK_CAPTURE(BM_ComputeMValue, fine_metric, kFineMetric);
BENCHMARK_CAPTURE(BM_ComputeMValue, coarse_metric, kCoarseMetric);
BENCHMARK_CAPTURE(BM_ComputeMValue, trapezoidal_3_start, kTrapezoidal);
BENCHMARK_CAPTURE(BM_ComputeMValue, whitworth_55, kWhitworth);

// The window's decimal comma with a no-break space between groups.
void BM_ComputeMValueCommaLocale(benchmark::State& state) {
  const NumberLocale locale{",", "\u00A0"};
  for (auto _ : state) {
    auto result = ComputeMValue("1.5", "1", "9.026", "0.866", "60", locale);
    if (!result) {
      state.SkipWithError("ComputeMValue failed");
      break;
    }
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ComputeMValueCommaLocale);

void BM_ComputeBestWireDiameter(benchmark::State& state, const char* pitch, const char* angle) {
  for (auto _ : state) {
    auto result = ComputeBestWireDiameter(pitch, angle);
    if (!result) {
      state.SkipWithError("ComputeBestWireDiameter failed");
      break;
    }
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK_CAPTURE(BM_ComputeBestWireDiameter, metric_1_5, "1.5", "60");
BENCHMARK_CAPTURE(BM_ComputeBestWireDiameter, trapezoidal_6, "6", "30");
BENCHMARK_CAPTURE(BM_ComputeBestWireDiameter, whitworth_2_1167, "2.1167", "55");

// Digits, digits after a comma that stops the number, and blanks around one digit.
void BM_ParseLongText(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  const std::string texts[] = {std::string(length, '7'), "1," + std::string(length, '0'),
                               std::string(length / 2, ' ') + "1" + std::string(length / 2, ' ')};
  for (auto _ : state) {
    for (const std::string& text : texts) {
      benchmark::DoNotOptimize(ParseLenient(text));
      benchmark::DoNotOptimize(ParseStrict(text));
    }
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseLongText)->RangeMultiplier(10)->Range(1'000, 100'000)->Complexity();

}  // namespace
}  // namespace threewire
