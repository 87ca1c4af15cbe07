// report/station_results.h: everything the run report says of each station:
// where it lies (wave-grid cell, map position, depth, shoreline cell and its
// place along the shoreline grid), what its output series hold (statistics,
// climate, rose, joint table, envelope, over its valid steps) and its flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "report/series_views.h"
#include "report/station_climate.h"
#include "report/transport.h"

namespace report {

inline constexpr int rose_sectors = 16;
inline constexpr double rose_height_edges[] = {0.5, 1.0, 2.0, 3.0};             // m: five classes
inline constexpr double joint_height_edges[] = {0.5, 1.0, 1.5, 2.0, 3.0, 4.0};  // m
inline constexpr double joint_period_edges[] = {4, 6, 8, 10, 12, 14, 16};       // s
// Buckets of the height plot: a low and a high point each, 1,000 points.
inline constexpr std::size_t envelope_buckets = 500;

// The run's output series, as spans of its tables: station p's steps are
// the p-th run of `steps` values of each. Directions are as written: map
// directions (compass, where the waves come from) in the map output, relative
// to the shoreline grid in the Dunelot output.
struct SeriesSpans {
  std::span<const float> height, period, direction;
  std::size_t steps = 0, stations = 0;
  std::vector<double> depth;  // at each station's cell, m
  bool shoreline = false;
  // The sand transport's parameters (Dunelot output): the transport is worked
  // out with the statistics.
  std::optional<SedimentParameters> sediment;
  std::span<const float> of(std::span<const float> table, std::size_t p) const {
    return table.subspan(p * steps, steps);
  }
};

// What one station's output series give, over its valid steps (see bad_step).
struct StationSeries {
  SeriesSummary height, period;
  StationClimate climate;
  PercentTable rose, joint;
  std::vector<Bucket> height_envelope;
  std::optional<StationTransport> transport;  // Dunelot output
};

// One pass over each station's series. It reads only the spans it is given,
// which no later step of the run changes, so it may run beside the writing of
// the outputs.
std::vector<StationSeries> summarize_station_series(const SeriesSpans& spans);
// The same for the stations first .. last - 1 (from 0), so that parts of the
// stations can be worked on threads of their own: each station's result is
// the same whichever part it falls in.
std::vector<StationSeries> summarize_station_series(const SeriesSpans& spans, std::size_t first,
                                                    std::size_t last);

// A station as the run placed it.
struct StationPlace {
  std::int32_t i = 0, j = 0;
  double easting = 0.0, northing = 0.0;
  double depth = 0.0;     // at the station's wave-grid cell, m
  std::int32_t cell = 0;  // shoreline cell from 1, 0: none (Dunelot output)
};

// A station's place, what the report flags in it, and its series.
struct StationResult {
  std::int32_t i = 0, j = 0;
  double easting = 0.0, northing = 0.0;
  double depth = 0.0;                          // at the station's wave-grid cell, m
  std::int32_t cell = 0;                       // shoreline cell from 1, 0: none
  double alongshore = 0.0, cross_shore = 0.0;  // m, Dunelot output
  StationSetting setting;
  // The mean direction the waves come from, as a compass bearing in
  // [0, 360), and (Dunelot output) relative to the shore normal in
  // (-180, 180]; none without a valid step.
  std::optional<double> mean_from, mean_theta;
  unsigned flags = 0;
  StationSeries series;
};

}  // namespace report
