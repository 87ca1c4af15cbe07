#include "report/station_results.h"

#include <span>

#include "report/wave_physics.h"
#include "wavemodel/depth_grid.h"

namespace report {
namespace {

std::span<const float> series_of(const context::Table<float>& table, std::int32_t station,
                                 std::int32_t steps) {
  if (station >= table.columns || steps > table.rows)
    return {};
  return {table.column(station), static_cast<std::size_t>(steps)};
}

}  // namespace

std::vector<StationSeries> summarize_station_series(const context::RunContext& ctx) {
  const bool shoreline = context::is_dunelot_output(ctx.params);
  const std::int32_t steps = ctx.output_event_count > 0 ? ctx.output_event_count : 0;
  std::vector<StationSeries> all(static_cast<std::size_t>(ctx.station_count));
  SummaryScratch scratch;
  for (std::int32_t p = 0; p < ctx.station_count; ++p) {
    const auto height = series_of(ctx.out_height, p, steps);
    const auto period = series_of(ctx.out_period, p, steps);
    const auto direction = series_of(ctx.out_direction, p, steps);
    StationSeries& s = all[static_cast<std::size_t>(p)];
    s.height = summarize(height, scratch);
    s.period = summarize(period, scratch);
    s.climate =
        station_climate(height, period, direction, wavemodel::station_depth(ctx, p), shoreline);
    s.rose = wave_rose(direction, height, rose_sectors, rose_height_edges);
    s.joint = joint_table(height, period, joint_height_edges, joint_period_edges);
    s.height_envelope = envelope(height, envelope_buckets);
  }
  return all;
}

std::vector<StationResult> station_results(const context::RunContext& ctx,
                                           std::vector<StationSeries> series) {
  const bool shoreline = context::is_dunelot_output(ctx.params);
  const std::size_t count = static_cast<std::size_t>(ctx.station_count);
  std::vector<StationResult> results(count);
  std::vector<StationClimate> climate(count);
  std::vector<std::int32_t> cells(count, 0);
  std::vector<double> alongshore(count, 0.0), depth(count, 0.0);
  for (std::size_t p = 0; p < count; ++p) {
    StationResult& r = results[p];
    const auto station = static_cast<std::int32_t>(p);
    r.i = ctx.station_i[p];
    r.j = ctx.station_j[p];
    r.easting = ctx.station_x[p];
    r.northing = ctx.station_y[p];
    r.depth = wavemodel::station_depth(ctx, station);
    if (shoreline) {
      r.cell = ctx.station_cell[p];
      const ShorePlace place =
          shore_place(r.easting - ctx.params.shore_x0, r.northing - ctx.params.shore_y0,
                      ctx.params.shore_azimuth);
      r.alongshore = place.alongshore;
      r.cross_shore = place.cross_shore;
    }
    if (p < series.size())
      r.series = std::move(series[p]);
    climate[p] = r.series.climate;
    cells[p] = r.cell;
    alongshore[p] = r.alongshore;
    depth[p] = r.depth;
  }
  const std::vector<unsigned> flags = station_flags(climate, cells, alongshore, depth, shoreline);
  for (std::size_t p = 0; p < count; ++p) results[p].flags = flags[p];
  return results;
}

}  // namespace report
