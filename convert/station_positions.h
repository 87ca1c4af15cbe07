// convert/station_positions.h: where each station lies: its cell centre along
// the wave grid's axes, then on the map by the grid's rotation and origin.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "context/run_context.h"
#include "context/status.h"

namespace convert {

// Running sums of the widths in 4-byte arithmetic, sum[k] = widths 1..k
// (sum[0] = 0), as a sum from the first cell would give them.
std::vector<float> width_prefix_sums(std::span<const float> widths);

// The centre of cell `cell` (from 1) along one axis: the widths before it plus
// half its own, in 4-byte arithmetic, widened. A cell outside the table is held
// to it: 0 and below lie at 0, beyond the last cell at the grid's far edge.
double cell_centre(std::span<const float> prefix_sums, std::span<const float> widths,
                   std::int32_t cell);

struct MapPoint {
  double x = 0.0;  // Easting
  double y = 0.0;  // Northing
};

// The grid position turned counter-clockwise by the wave azimuth (degrees)
// about the grid origin, then moved to the origin's map position.
MapPoint rotate_to_map(double grid_x, double grid_y, double origin_x, double origin_y, double cos_a,
                       double sin_a);
// The cosine and sine of the azimuth in degrees, computed once per run.
void azimuth_cos_sin(double azimuth_degrees, double& cos_a, double& sin_a);

// The phase step place_stations is declared in convert/conversion.h.

// The run's step: creates the station tables and fills the positions in map
// coordinates; error_stop when the tables would not fit in memory.
context::Status place_stations(context::RunContext& ctx);

}  // namespace convert
