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
  no_cell = 1u << 0,            // Dunelot output: in no shoreline cell
  behind_origin = 1u << 1,      // alongshore distance below 0
  land_side = 1u << 2,          // Dunelot output: cross-shore distance above 0
  shared_cell = 1u << 3,        // another station has the same cell
  dry = 1u << 4,                // depth at the station's cell 0 or less
  mostly_offshore = 1u << 5,    // more than half the valid steps travel offshore
  against_contours = 1u << 6,   // mean travel direction far from the depth gradient
  implausible_depth = 1u << 7,  // deeper than the closure depth allows, or too steep a slope
  bad_values = 1u << 8,         // a step that is no wave (see bad_step)
  steep = 1u << 9,              // a valid step steeper than 1/7
  no_steps = 1u << 10,          // no output step
};
inline constexpr StationFlag all_flags[] = {
    no_cell,          behind_origin,     land_side,  shared_cell, dry,     mostly_offshore,
    against_contours, implausible_depth, bad_values, steep,       no_steps};

// A step that is no wave: Hs below 0 or above 25 m, Tp below 0 or above 40 s,
// Hs above 0 with Tp 0, a direction outside -360 to 360 degrees, or any of
// them not a number. Such steps are left out of every statistic; steps with
// Hs 0 are calm and count.
bool bad_step(double hs, double tp, double direction);

// The flags' names joined by ";" ("" for none), as the station table shows them.
std::string flag_names(unsigned flags);
// What a flag usually means and what to check, in one line.
const char* flag_explanation(StationFlag flag);

// One pass over a station's output series (heights m, periods s, directions
// degrees relative to the shoreline grid for the Dunelot output). Bad steps
// are counted and left out of everything else.
struct StationClimate {
  std::int64_t steps = 0;                  // output steps
  std::int64_t bad_steps = 0;              // of them, no wave (see bad_step)
  std::int64_t valid_steps = 0;            // the others
  std::optional<double> offshore_percent;  // Dunelot output, of the valid steps
  std::optional<double> mean_flux;         // W/m, Dunelot output with a depth above 0
  bool steep = false;
  // The direction of the mean of the valid steps' unit vectors, degrees, as
  // the directions are given; has_direction false when there is none.
  double mean_direction = 0.0;
  bool has_direction = false;
};
StationClimate station_climate(std::span<const float> height, std::span<const float> period,
                               std::span<const float> direction, double depth, bool shoreline);

// A station's series with every bad step made "not a number" in all three,
// so that each view of the series leaves it out where it stands; the number
// of bad steps.
struct CleanSeries {
  std::vector<float> height, period, direction;
};
std::int64_t clean_series(std::span<const float> height, std::span<const float> period,
                          std::span<const float> direction, CleanSeries& clean);

// A wave is steeper than can stand when Hs / L0 > 1/7, L0 = g Tp^2 / 2 pi.
bool too_steep(double hs, double tp);

// What the flags look at besides the series: where a station lies.
struct StationSetting {
  std::int32_t cell = 0;                       // Dunelot output: shoreline cell from 1, 0 none
  double alongshore = 0.0, cross_shore = 0.0;  // m, Dunelot output
  double depth = 0.0;                          // m at the station's cell
  // Compass bearing (degrees) toward decreasing depth at the station, where
  // the depth grid gives a usable gradient.
  std::optional<double> shoreward_bearing;
  // Compass bearing the mean wave travels toward, where there is one.
  std::optional<double> travel_bearing;
  // Distance (m) to the nearest dry cell of the depth grid, where there is one.
  std::optional<double> dry_distance;
};

// Where a station's mean travel direction may lie from the shoreward depth
// gradient, and the steepest plausible mean slope to the nearest dry cell.
inline constexpr double contour_tolerance_degrees = 35.0;
inline constexpr double steepest_plausible_slope = 1.0 / 15.0;
inline constexpr double closure_depth_factor = 1.5;

// The flags of every station (`closure_depth` in m where one is known).
std::vector<unsigned> station_flags(std::span<const StationClimate> climate,
                                    std::span<const StationSetting> setting, bool shoreline,
                                    std::optional<double> closure_depth);

// The smaller angle between two bearings, 0 to 180 degrees.
double bearing_difference(double a, double b);

}  // namespace report
