// shoreline/gauge_placement.h: assigns every wave station to the shoreline cell
// that holds the foot of its perpendicular on the shoreline grid's axis.
#pragma once

#include <cstdint>
#include <span>

namespace shoreline {

// For each station p, projects (station_x[p], station_y[p]) on the axis through
// (x0, y0) with compass bearing `azimuth` (degrees) and sets station_cell[p] to
// the first cell (from 1) whose far edge lies beyond that distance. A station on
// an edge belongs to the next cell; one at or beyond the last edge, or at the
// origin itself, keeps the value it had (0 for none). station_y and
// station_cell have the length of station_x.
void place_gauges(double x0, double y0, double azimuth, std::span<const float> widths,
                  std::span<const double> station_x, std::span<const double> station_y,
                  std::span<std::int32_t> station_cell);

// The distance from (x0, y0) to the foot of the perpendicular dropped from
// (x, y) on that axis; not a number for the origin itself.
double projected_distance(double x0, double y0, double azimuth, double x, double y);

}  // namespace shoreline
