// report/report_model.h: the narrow model of a run that the report is made
// from. The report step (report/run_report.cpp) takes it once from the run;
// the page, its charts and the CSV writers read only this, never the run's
// whole state. Tables are seen through spans: nothing is copied, and nothing
// here can change the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "context/stamp.h"
#include "report/station_results.h"

namespace report {

struct Point {
  double x = 0.0, y = 0.0;
};

// The wave grid on the map: its origin, the directions of its i and j axes
// (turned counter-clockwise by its azimuth, as the conversion turns it), the
// cell edges along each axis from the origin, and its depths.
struct WaveGridFrame {
  Point origin;
  double azimuth = 0.0;  // degrees, counter-clockwise from east to the i axis
  Point i_axis, j_axis;
  std::vector<double> edges_i, edges_j;  // ni + 1 and nj + 1 values from 0
  std::int32_t ni = 0, nj = 0;
  std::span<const float> depth;  // ni x nj, i fastest, rows in file order (the top row first)

  Point at(double gx, double gy) const {
    return {origin.x + gx * i_axis.x + gy * j_axis.x, origin.y + gx * i_axis.y + gy * j_axis.y};
  }
  // The depth of cell (i, j), both from 1, j counted from the grid's origin.
  float depth_at(std::int32_t i, std::int32_t j) const {
    return depth[static_cast<std::size_t>(nj - j) * static_cast<std::size_t>(ni) +
                 static_cast<std::size_t>(i - 1)];
  }
  double centre_i(std::int32_t i) const { return (edges_i[i - 1] + edges_i[i]) / 2; }
  double centre_j(std::int32_t j) const { return (edges_j[j - 1] + edges_j[j]) / 2; }
};

// The shoreline grid's axis (Dunelot output): origin, unit vector along its
// azimuth (a compass bearing), cell edges; and the offset that turns compass
// directions into directions relative to the shore normal (theta = offset -
// compass), as the conversion takes it.
struct ShoreAxis {
  Point origin, along;
  double azimuth = 0.0, offset = 0.0;
  std::vector<double> edges;  // nx + 1 values from 0
  std::span<const float> widths;
  Point at(double distance) const {
    return {origin.x + distance * along.x, origin.y + distance * along.y};
  }
  // Where the waves come from, as a compass bearing in [0, 360), for a
  // direction relative to the shore normal.
  double compass_of(double theta) const;
};

// A check of the whole run, as the Checks section and the summary show it.
struct RunCheck {
  std::string name;  // such as "axis_faces_land"
  std::string text;  // what was found and what to check
};

// What the summary tells of the run.
struct RunFacts {
  bool shoreline = false;
  std::int8_t krv_mode = 1, random_order = 0;
  std::optional<std::int64_t> random_seed;
  std::int32_t period_count = 1;
  float time_step_hours = 0.0f, series_length_hours = 0.0f;
  std::int32_t station_count = 0, input_event_count = 0, output_event_count = 0;
  std::string report_name;
  std::optional<double> closure_depth;
  std::string closure_source;   // "CLO", "the *.dun file's CLOSURE: record", or empty
  SedimentParameters sediment;  // Dunelot output
};

// One interval of the coast between two stations that move sand, in order of
// alongshore distance (Dunelot output).
struct CoastInterval {
  std::size_t from = 0, to = 0;            // stations, from 0
  double length = 0.0;                     // m
  double cerc_gradient = 0.0;              // dQ/dx of the CERC net rate, m^3/yr per m
  std::optional<double> shoreline_change;  // m/yr; none without both heights or length
};

struct FileEntry {
  std::string name;
  std::optional<std::uintmax_t> bytes;  // nothing: not known
  std::string note;                     // such as "this page"
};
struct PageFiles {
  std::vector<FileEntry> read, written;
};

struct ReportModel {
  RunFacts run;
  WaveGridFrame grid;
  ShoreAxis shore;  // Dunelot output
  std::span<const context::Stamp> stamps;
  std::vector<StationResult> stations;
  std::vector<RunCheck> checks;
  std::vector<CoastInterval> coast;  // Dunelot output
  PageFiles files;
};

// The intervals between the stations that move sand, are not behind the
// origin and have a cell, in order of alongshore distance.
std::vector<CoastInterval> coast_intervals(const std::vector<StationResult>& stations,
                                           const SedimentParameters& p);

// The model's places of the stations and their flags, from their series
// summaries (taken over). Builds each station's setting: depth gradient,
// distance to dry land, mean direction as a compass bearing.
std::vector<StationResult> station_results(const WaveGridFrame& grid, const ShoreAxis* shore,
                                           std::span<const StationPlace> places,
                                           std::vector<StationSeries> series,
                                           std::optional<double> closure_depth);

// The run-level checks that need only the model (the shoreline axis against
// the depth grid, a zero time step).
std::vector<RunCheck> model_checks(const ReportModel& model);

// The compass bearing (degrees, [0, 360)) of a map vector.
double bearing_of(double east, double north);

}  // namespace report
