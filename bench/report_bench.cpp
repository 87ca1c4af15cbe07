// The run report's work on one station's year of hourly steps: the climate
// pass (with the longshore energy flux for the Dunelot output), the
// statistics, the rose, the joint table and the envelope; the sand transport
// (three formulas and the 19-point equilibrium curve); per step.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "report/series_views.h"
#include "report/station_climate.h"
#include "report/station_results.h"
#include "report/transport.h"

namespace {

constexpr int steps = 8760;

struct Year {
  std::vector<float> height, period, direction;
};

// A storm-driven year: smooth heights, periods that follow them, directions
// swinging about the shore normal.
Year year() {
  Year y;
  std::uint64_t state = 0x9e3779b97f4a7c15ull;
  auto uniform = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) * (1.0 / 9007199254740992.0);
  };
  double storm = 0.0;
  for (int t = 0; t < steps; ++t) {
    storm = 0.99 * storm + 0.2 * (uniform() - 0.5);
    const double hs = std::exp(0.2 * std::cos(t / 1400.0) + 2.0 * storm);
    y.height.push_back(static_cast<float>(hs));
    y.period.push_back(static_cast<float>(4.0 + 2.8 * std::sqrt(hs) + uniform()));
    y.direction.push_back(static_cast<float>(40.0 * std::sin(t / 300.0) + 10.0 * uniform()));
  }
  return y;
}

void climate_pass(benchmark::State& state) {
  const Year y = year();
  const bool shoreline = state.range(0) == 1;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        report::station_climate(y.height, y.period, y.direction, 8.0, shoreline));
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(climate_pass)->Arg(0)->Arg(1);

void statistics(benchmark::State& state) {
  const Year y = year();
  report::SummaryScratch scratch;
  for (auto _ : state) {
    benchmark::DoNotOptimize(report::summarize(y.height, scratch));
    benchmark::DoNotOptimize(report::summarize(y.period, scratch));
  }
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(statistics);

void rose_table_envelope(benchmark::State& state) {
  const Year y = year();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        report::wave_rose(y.direction, y.height, report::rose_sectors, report::rose_height_edges));
    benchmark::DoNotOptimize(report::joint_table(y.height, y.period, report::joint_height_edges,
                                                 report::joint_period_edges));
    benchmark::DoNotOptimize(report::envelope(y.height, report::envelope_buckets));
  }
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(rose_table_envelope);

void sand_transport(benchmark::State& state) {
  const Year y = year();
  const report::SedimentParameters p;
  for (auto _ : state)
    benchmark::DoNotOptimize(report::station_transport(y.height, y.period, y.direction, 8.0, p));
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(sand_transport);

}  // namespace
