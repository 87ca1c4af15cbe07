#include "convert/station_positions.h"

#include <cmath>

#include "context/table_memory.h"

namespace convert {

std::vector<float> width_prefix_sums(std::span<const float> widths) {
  std::vector<float> sums(widths.size() + 1, 0.0f);
  for (std::size_t k = 0; k < widths.size(); ++k) sums[k + 1] = sums[k] + widths[k];
  return sums;
}

double cell_centre(std::span<const float> prefix_sums, std::span<const float> widths,
                   std::int32_t cell) {
  if (cell < 1 || widths.empty())
    return 0.0;
  const std::size_t i = static_cast<std::size_t>(cell);
  if (i > widths.size())
    return prefix_sums[widths.size()];
  const float centre = prefix_sums[i - 1] + 0.5f * widths[i - 1];
  return centre;
}

void azimuth_cos_sin(double azimuth_degrees, double& cos_a, double& sin_a) {
  const double a = azimuth_degrees * 0.017453292519943295;
  cos_a = std::cos(a);
  sin_a = std::sin(a);
}

MapPoint rotate_to_map(double grid_x, double grid_y, double origin_x, double origin_y, double cos_a,
                       double sin_a) {
  MapPoint p;
  p.x = grid_x * cos_a + origin_x - grid_y * sin_a;
  p.y = grid_x * sin_a + origin_y + grid_y * cos_a;
  return p;
}

context::Status place_stations(context::RunContext& ctx) {
  // Four positions and a shoreline cell (set when the gauges are placed).
  if (context::reserve_table_memory(ctx,
                                    context::bytes_of(ctx.station_grid_x, ctx.station_count) +
                                        context::bytes_of(ctx.station_grid_y, ctx.station_count) +
                                        context::bytes_of(ctx.station_x, ctx.station_count) +
                                        context::bytes_of(ctx.station_y, ctx.station_count) +
                                        context::bytes_of(ctx.station_cell, ctx.station_count)) ==
      context::Status::error_stop)
    return context::Status::error_stop;
  for (auto* table : {&ctx.station_grid_x, &ctx.station_grid_y, &ctx.station_x, &ctx.station_y})
    context::create_list(*table, ctx.station_count, 0.0);
  context::create_list(ctx.station_cell, ctx.station_count, 0);

  const std::vector<float> sums_i = width_prefix_sums(ctx.cell_widths_i);
  const std::vector<float> sums_j = width_prefix_sums(ctx.cell_widths_j);
  double cos_a, sin_a;
  azimuth_cos_sin(ctx.wave_azimuth, cos_a, sin_a);
  const std::size_t stations = ctx.station_x.size();
  for (std::size_t s = 0; s < stations && s < ctx.station_i.size() && s < ctx.station_j.size();
       ++s) {
    ctx.station_grid_x[s] = cell_centre(sums_i, ctx.cell_widths_i, ctx.station_i[s]);
    ctx.station_grid_y[s] = cell_centre(sums_j, ctx.cell_widths_j, ctx.station_j[s]);
    const MapPoint p = rotate_to_map(ctx.station_grid_x[s], ctx.station_grid_y[s],
                                     ctx.wave_origin_x, ctx.wave_origin_y, cos_a, sin_a);
    ctx.station_x[s] = p.x;
    ctx.station_y[s] = p.y;
  }
  return context::Status::ok;
}

}  // namespace convert
