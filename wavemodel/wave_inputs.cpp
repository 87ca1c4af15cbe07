#include "wavemodel/wave_inputs.h"

#include <utility>

#include "context/table_memory.h"
#include "wavemodel/depth_grid.h"
#include "wavemodel/event_counts.h"
#include "wavemodel/frequency_table.h"
#include "wavemodel/simulation_file.h"
#include "wavemodel/station_list.h"
#include "wavemodel/station_output.h"

namespace wavemodel {

context::Status read_wave_model_counts(context::RunContext& ctx) {
  ctx.station_count = read_station_count(*ctx.station_list);
  print_station_count(ctx.console, ctx.station_count);
  if (check_station_count(ctx.console, ctx.station_count, ctx.params.std_file) ==
      context::Status::error_stop) {
    return context::Status::error_stop;
  }

  ctx.station_record_count =
      count_station_records(*ctx.station_output, ctx.thread_count, ctx.station_record_marks);
  ctx.input_event_count = ctx.station_record_count / ctx.station_count;

  const std::int32_t periods = ctx.params.period_count;
  if (context::reserve_table_memory(
          ctx, context::bytes_of(ctx.event_period_percent, ctx.input_event_count, periods) +
                   context::bytes_of(ctx.event_period_fraction, ctx.input_event_count, periods) +
                   context::bytes_of(ctx.event_period_repeats, ctx.input_event_count, periods) +
                   context::bytes_of(ctx.period_output_events, periods)) ==
      context::Status::error_stop)
    return context::Status::error_stop;
  create_frequency_tables(ctx.input_event_count, ctx.params.period_count, ctx.event_period_percent,
                          ctx.event_period_fraction, ctx.event_period_repeats,
                          ctx.period_output_events);
  if (count_output_events(ctx) == context::Status::error_stop)
    return context::Status::error_stop;
  if (ctx.params.krv_mode == 0 && ctx.frequency)
    read_frequency_file(*ctx.frequency, ctx.event_period_percent);
  split_output_events(ctx.output_event_count, ctx.period_output_events);

  print_event_counts(ctx.console, ctx.input_event_count, ctx.output_event_count);
  return context::Status::ok;
}

context::Status read_wave_model_values(context::RunContext& ctx) {
  if (read_depth_grid(ctx) == context::Status::error_stop)
    return context::Status::error_stop;

  // Without a whole event no station is given a cell: that is the answer,
  // whatever tables so many stations would take.
  if (ctx.input_event_count < 1) {
    return report_station_outside_grid(ctx.console, 1);
  }
  const std::int32_t events = ctx.input_event_count, stations_count = ctx.station_count;
  if (context::reserve_table_memory(
          ctx, context::bytes_of(ctx.station_i, stations_count) +
                   context::bytes_of(ctx.station_j, stations_count) +
                   context::bytes_of(ctx.wave_height, events, stations_count) +
                   context::bytes_of(ctx.wave_period, events, stations_count) +
                   context::bytes_of(ctx.wave_direction, events, stations_count)) ==
      context::Status::error_stop)
    return context::Status::error_stop;
  StationOutput stations =
      read_station_output(*ctx.station_output, ctx.input_event_count, ctx.station_count,
                          ctx.station_record_marks, ctx.thread_count);
  ctx.station_i = std::move(stations.station_i);
  ctx.station_j = std::move(stations.station_j);
  ctx.wave_height = std::move(stations.wave_height);
  ctx.wave_period = std::move(stations.wave_period);
  ctx.wave_direction = std::move(stations.wave_direction);
  // Every later step looks up positions and depths at the station's cell.
  if (check_station_cells(ctx.console, ctx.station_i, ctx.station_j, ctx.grid_ni, ctx.grid_nj) ==
      context::Status::error_stop) {
    return context::Status::error_stop;
  }

  const WaveGridPlacement placement = read_simulation_file(*ctx.sim);
  ctx.wave_origin_x = placement.wave_origin_x;
  ctx.wave_origin_y = placement.wave_origin_y;
  ctx.wave_azimuth = placement.wave_azimuth;
  print_wave_grid_placement(ctx.console, placement);
  return context::Status::ok;
}

}  // namespace wavemodel
