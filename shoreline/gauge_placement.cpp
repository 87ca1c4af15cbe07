#include "shoreline/gauge_placement.h"

#include <cmath>
#include <vector>

namespace shoreline {
namespace {
constexpr double degrees_per_radian = 57.29577951308232;
constexpr double radians_per_degree = 0.017453292519943295;
}  // namespace

double projected_distance(double x0, double y0, double azimuth, double x, double y) {
  const double dx = x - x0;
  const double dy = y - y0;
  const double distance = std::sqrt(dx * dx + dy * dy);
  // The angle comes from the slope alone, so it lies in -90..90 degrees
  // whatever the quadrant; the absolute value below makes up for the half turn.
  // At the origin the slope is 0/0 and the distance is not a number, which
  // fails every comparison of the cell search.
  const double slope = dy / dx;
  const double angle_degrees = std::atan(slope) * degrees_per_radian;
  const double turned = (angle_degrees + (azimuth - 90.0)) * radians_per_degree;
  return std::fabs(std::cos(turned) * distance);
}

void place_gauges(double x0, double y0, double azimuth, std::span<const float> widths,
                  std::span<const double> station_x, std::span<const double> station_y,
                  std::span<std::int32_t> station_cell) {
  // Far edge of every cell, summed in 8 bytes from the 4-byte widths.
  std::vector<double> edges(widths.size());
  double edge = 0.0;
  for (std::size_t k = 0; k < widths.size(); ++k) {
    edge += static_cast<double>(widths[k]);
    edges[k] = edge;
  }

  for (std::size_t p = 0; p < station_x.size(); ++p) {
    const double along = projected_distance(x0, y0, azimuth, station_x[p], station_y[p]);
    // Widths need not be positive, so the edges need not increase: the first
    // edge beyond the station decides, strictly greater.
    for (std::size_t k = 0; k < edges.size(); ++k) {
      if (edges[k] > along) {
        station_cell[p] = static_cast<std::int32_t>(k + 1);
        break;
      }
    }
  }
}

}  // namespace shoreline
