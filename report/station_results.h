// report/station_results.h: everything the run report says of each station,
// taken from the run's tables: where it lies (wave-grid cell, map position,
// depth, shoreline cell and its place along the shoreline grid), what its
// output series hold (statistics, climate, rose, joint table, envelope) and
// its flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "context/run_context.h"
#include "report/series_views.h"
#include "report/station_climate.h"

namespace report {

inline constexpr int rose_sectors = 16;
inline constexpr double rose_height_edges[] = {0.5, 1.0, 2.0, 3.0};             // m: five classes
inline constexpr double joint_height_edges[] = {0.5, 1.0, 1.5, 2.0, 3.0, 4.0};  // m
inline constexpr double joint_period_edges[] = {4, 6, 8, 10, 12, 14, 16};       // s
// Buckets of the height plot: a low and a high point each, 1,000 points.
inline constexpr std::size_t envelope_buckets = 500;

// What one station's output series give. Directions are as written: map
// directions (compass, where the waves come from) in the map output, relative
// to the shoreline grid in the Dunelot output.
struct StationSeries {
  SeriesSummary height, period;
  StationClimate climate;
  PercentTable rose, joint;
  std::vector<Bucket> height_envelope;
};

// One pass over each station's series as the run holds them. It reads only
// the output series and the depth grid, which no later step changes, so it
// may run beside the writing of the outputs.
std::vector<StationSeries> summarize_station_series(const context::RunContext& ctx);

// A station's place and what the report flags in it.
struct StationResult {
  std::int32_t i = 0, j = 0;
  double easting = 0.0, northing = 0.0;
  double depth = 0.0;                          // at the station's wave-grid cell, m
  std::int32_t cell = 0;                       // shoreline cell from 1, 0: none
  double alongshore = 0.0, cross_shore = 0.0;  // m, Dunelot output
  unsigned flags = 0;
  StationSeries series;
};

// The stations' places and flags, over their series (taken over). For the
// Dunelot output the gauges must have been placed.
std::vector<StationResult> station_results(const context::RunContext& ctx,
                                           std::vector<StationSeries> series);

}  // namespace report
