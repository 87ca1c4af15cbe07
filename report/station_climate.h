// report/station_climate.h: what the run report tells of each station's
// output series: statistics of heights and periods, the share of waves that
// travel offshore, the mean longshore energy flux, and the flags that point
// at a likely fault in the run's inputs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace report {

// Minimum, mean, percentiles 50/90/99 and maximum of a series. Percentiles
// interpolate linearly between the closest ranks (rank p (n - 1) from 0).
// Values that are not finite are left out; `count` is how many were used.
struct SeriesSummary {
  std::int64_t count = 0;
  double min = 0.0, mean = 0.0, p50 = 0.0, p90 = 0.0, p99 = 0.0, max = 0.0;
};
// Room for sorting one series, reused between stations.
struct SummaryScratch {
  std::vector<std::uint32_t> keys, other;
};
SeriesSummary summarize(std::span<const float> values, SummaryScratch& scratch);

// The flags, in the order the report lists them.
enum StationFlag : unsigned {
  no_cell = 1u << 0,          // Dunelot output: in no shoreline cell
  behind_origin = 1u << 1,    // alongshore distance below 0
  shared_cell = 1u << 2,      // another station has the same cell
  dry = 1u << 3,              // depth at the station's cell 0 or less
  mostly_offshore = 1u << 4,  // more than half the steps travel offshore
  bad_values = 1u << 5,       // a height or period not finite or 0 or less
  steep = 1u << 6,            // a step steeper than 1/7
  no_steps = 1u << 7,         // no output step
};
inline constexpr StationFlag all_flags[] = {no_cell,         behind_origin, shared_cell, dry,
                                            mostly_offshore, bad_values,    steep,       no_steps};

// The flags' names joined by ";" ("" for none), as the station table shows them.
std::string flag_names(unsigned flags);
// What a flag usually means and what to check, in one line.
const char* flag_explanation(StationFlag flag);

// One pass over a station's output series (heights m, periods s, directions
// degrees relative to the shoreline grid for the Dunelot output).
struct StationClimate {
  std::int64_t steps = 0;
  std::optional<double> offshore_percent;  // Dunelot output only
  std::optional<double> mean_flux;         // W/m, Dunelot output with a flux
  bool bad_values = false;
  bool steep = false;
  // The direction of the mean of the steps' unit vectors, degrees, as the
  // directions are given; has_direction false when none is finite.
  double mean_direction = 0.0;
  bool has_direction = false;
};
StationClimate station_climate(std::span<const float> height, std::span<const float> period,
                               std::span<const float> direction, double depth, bool shoreline);

// A wave is steeper than can stand when Hs / L0 > 1/7, L0 = g Tp^2 / 2 pi.
bool too_steep(double hs, double tp);

// The flags of every station: `cell` the shoreline cell from 1 (0: none, and
// empty for the map output), `alongshore` likewise.
std::vector<unsigned> station_flags(std::span<const StationClimate> climate,
                                    std::span<const std::int32_t> cell,
                                    std::span<const double> alongshore,
                                    std::span<const double> depth, bool shoreline);

}  // namespace report
