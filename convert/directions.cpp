#include "convert/directions.h"

#include <algorithm>
#include <utility>

#include "context/console.h"
#include "textio/free_writer.h"
#include "textio/parallel_parts.h"

namespace convert {
namespace {

double half_turn_correction(double v) {
  if (v < -180.0)
    return v + 360.0;
  if (v > 180.0)
    return v - 360.0;
  return v;
}

// target = c - source over the whole shape; then the elements inside both
// counts are corrected, full_turn adding the second correction that lifts
// negative values into [0, 360). The target may be the source itself.
void reflect_and_correct(std::int32_t station_count, std::int32_t event_count,
                         const context::Table<double>& source, double c, bool full_turn,
                         context::Table<double>& target, unsigned threads) {
  if (&target != &source)
    context::create_table(target, source.rows, source.columns, 0.0);
  const std::int32_t stations = std::min(station_count, target.columns);
  const std::int32_t events = std::min(event_count, target.rows);
  textio::run_shares(source.columns, threads, [&](std::int64_t first, std::int64_t last) {
    for (auto s = static_cast<std::int32_t>(first); s < last; ++s) {
      const double* from = source.column(s);
      double* to = target.column(s);
      for (std::int32_t e = 0; e < source.rows; ++e) to[e] = c - from[e];
      if (s >= stations)
        continue;
      for (std::int32_t e = 0; e < events; ++e) {
        double v = half_turn_correction(to[e]);
        if (full_turn && v < 0.0)
          v += 360.0;
        to[e] = v;
      }
    }
  });
}

}  // namespace

double azimuth_from_270(double a) {
  const double v = 270.0 - a;
  return v < 0.0 ? v + 360.0 : v;
}

double azimuth_less_90(double a) {
  const double v = a - 90.0;
  return v < 0.0 ? v + 360.0 : v;
}

void reflect_directions_360(std::int32_t station_count, std::int32_t event_count,
                            const context::Table<double>& source, double c,
                            context::Table<double>& target, unsigned threads) {
  reflect_and_correct(station_count, event_count, source, c, true, target, threads);
}

void reflect_directions_180(std::int32_t station_count, std::int32_t event_count,
                            const context::Table<double>& source, double c,
                            context::Table<double>& target, unsigned threads) {
  reflect_and_correct(station_count, event_count, source, c, false, target, threads);
}

bool shore_azimuth_missing(double shore_azimuth) {
  return shore_azimuth <= -9999.0;
}

void default_shore_azimuth(double& shore_azimuth, double wave_azimuth,
                           textio::OutputFile& console) {
  if (!shore_azimuth_missing(shore_azimuth))
    return;
  shore_azimuth = 360.0 - wave_azimuth;
  textio::write_free(console, "WARNING: No Dunelot Azimuth specified in ctrl file!");
  textio::write_free(console, "     Setting Dunelot Grid Azimuth to correspond to ");
  textio::write_free(console, "     Input KRV-Wave Grid Azimuth: ", wave_azimuth);
  textio::write_free(console, "     New Dunelot Grid Azimuth: ", shore_azimuth);
  context::print_closing_triple(console);
}

void selected_direction(const context::RunParameters& params, context::Table<double>& world,
                        context::Table<double>& shore, context::Table<double>& selected) {
  selected =
      std::exchange(context::is_dunelot_output(params) ? shore : world, context::Table<double>{});
}

// Each direction table is read once, by the step that makes the next one, so
// each step turns its source into its result where it stands: one table of
// input events and stations goes from the wave model's directions to the
// selected ones, instead of four (a run's largest tables after the series).
void convert_directions(context::RunContext& ctx) {
  const std::int32_t events = ctx.input_event_count;
  const std::int32_t stations = ctx.station_count;

  ctx.world_offset = azimuth_from_270(ctx.wave_azimuth);
  ctx.world_direction = std::exchange(ctx.wave_direction, context::Table<double>{});
  reflect_directions_360(stations, events, ctx.world_direction, ctx.world_offset,
                         ctx.world_direction, ctx.thread_count);
  if (context::is_dunelot_output(ctx.params)) {
    default_shore_azimuth(ctx.params.shore_azimuth, ctx.wave_azimuth, ctx.console);
    ctx.shore_offset = azimuth_less_90(ctx.params.shore_azimuth);
    ctx.shore_direction = std::exchange(ctx.world_direction, context::Table<double>{});
    reflect_directions_180(stations, events, ctx.shore_direction, ctx.shore_offset,
                           ctx.shore_direction, ctx.thread_count);
  }
  selected_direction(ctx.params, ctx.world_direction, ctx.shore_direction, ctx.selected_direction);
}

}  // namespace convert
