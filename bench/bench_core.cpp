// SPDX-License-Identifier: GPL-3.0-or-later

// Micro-benchmarks of the number core: the two conversions every field read
// and write goes through, and a whole "CALCOLA" on fields held in memory.
// Run: build with -DVESPERA_BUILD_BENCH=ON, then bench/bench_core.

#include "calc/diameter.h"
#include "core/field_store.h"
#include "core/number_text.h"
#include "core/recording_runtime.h"

#include <benchmark/benchmark.h>

#include <array>
#include <limits>

namespace vespera {
namespace {

struct TextCase {
  const char* label;
  const char* text;
  char separator;
};

// Texts as users type them and as the program writes them.
constexpr std::array kTexts = {
    TextCase{"short", "4.83", '.'},
    TextCase{"exponent", "1.391E+09", '.'},
    TextCase{"fifteen digits", "1548313046.40213", '.'},
    TextCase{"blank and unit", " 12.5 parsec", '.'},
    TextCase{"comma locale", "3,086E+15", ','},
    TextCase{"largest double", "1.79769313486232E+308", '.'},
};

struct ValueCase {
  const char* label;
  double value;
  char separator;
};

// Results as the calculation writes them: whole, fractional, exponent form.
constexpr std::array kValues = {
    ValueCase{"whole", 2062650.0, '.'},
    ValueCase{"fraction", 32.6156, '.'},
    ValueCase{"fifteen digits", 1.0 / 3.0, '.'},
    ValueCase{"exponent", 3.086e14 * 10.0, '.'},
    ValueCase{"comma locale", 52.8, ','},
    ValueCase{"subnormal", std::numeric_limits<double>::denorm_min(), '.'},
};

void BM_ParseNumber(benchmark::State& state) {
  const TextCase& sample = kTexts[static_cast<std::size_t>(state.range(0))];
  const std::string text = sample.text;
  const std::string separator(1, sample.separator);
  for (auto _ : state) {
    benchmark::DoNotOptimize(parseNumber(text, separator));
  }
  state.SetLabel(sample.label);
}
BENCHMARK(BM_ParseNumber)->DenseRange(0, kTexts.size() - 1);

void BM_FormatNumber(benchmark::State& state) {
  const ValueCase& sample = kValues[static_cast<std::size_t>(state.range(0))];
  const std::string separator(1, sample.separator);
  double value = sample.value;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);  // keeps the value from being folded in
    benchmark::DoNotOptimize(formatNumber(value, separator));
  }
  state.SetLabel(sample.label);
}
BENCHMARK(BM_FormatNumber)->DenseRange(0, kValues.size() - 1);

// The sample request of the manual: the 5750 K preset, V = 4.83, 10 parsecs.
// Every input is filled in, so no warning box is recorded and the runtime's
// lists stay empty however long the run.
void BM_CalculateDiameter(benchmark::State& state) {
  MemoryFieldStore store;
  store.setText(Field::SurfaceMagnitude, "50.7");
  store.setText(Field::ApparentMagnitude, "4.83");
  store.setText(Field::DistanceParsecs, "10");
  RecordingRuntime runtime;
  for (auto _ : state) {
    calculateDiameter(store, runtime);
  }
  if (!runtime.messages.empty() || !runtime.errors.empty() ||
      store.text(Field::DistanceKilometres).empty()) {
    state.SkipWithError("the calculation did not run through: the timing means nothing");
  }
}
BENCHMARK(BM_CalculateDiameter);

}  // namespace
}  // namespace vespera
