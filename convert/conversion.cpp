#include "convert/conversion.h"

#include "context/console.h"
#include "context/table_memory.h"
#include "convert/event_order.h"
#include "convert/wave_series.h"
#include "textio/free_writer.h"

namespace convert {

context::Status order_events_and_build_series(context::RunContext& ctx) {
  if (!ctx.params.random_seed)
    return order_events_and_build_series(ctx, nullptr);
  // One engine for the whole ordering: the same seed gives the same order on
  // every run and every platform (the engine's sequence is fixed, and the
  // draws and the shuffle are this program's own).
  std::mt19937_64 engine(static_cast<std::uint64_t>(*ctx.params.random_seed));
  return order_events_and_build_series(ctx, &engine);
}

context::Status order_events_and_build_series(context::RunContext& ctx, std::mt19937_64* engine) {
  const context::RunParameters& params = ctx.params;
  // The four index tables by output step, and the three output series (at
  // most: in input order the series take over the input tables).
  const std::int32_t steps = ctx.output_event_count;
  if (context::reserve_table_memory(
          ctx, context::bytes_of(ctx.step_slot, steps) + context::bytes_of(ctx.slot_event, steps) +
                   context::bytes_of(ctx.period_shuffle, steps) +
                   context::bytes_of(ctx.series_event, steps) +
                   context::bytes_of(ctx.out_height, steps, ctx.station_count) +
                   context::bytes_of(ctx.out_period, steps, ctx.station_count) +
                   context::bytes_of(ctx.out_direction, steps, ctx.station_count)) ==
      context::Status::error_stop)
    return context::Status::error_stop;
  start_index_tables(ctx.output_event_count, ctx.step_slot, ctx.slot_event, ctx.period_shuffle,
                     ctx.series_event);
  ctx.period_slot_base = 0;
  if (!compute_repeats(ctx.event_period_percent, ctx.output_event_count, ctx.event_period_fraction,
                       ctx.event_period_repeats)) {
    const std::string quote(1, context::quote_mark);
    textio::write_free(
        ctx.console,
        "ERROR: % frequency of occurrence file holds a percentage out of range: " + quote,
        textio::trimmed(params.frequency_file), quote);
    return context::Status::error_stop;
  }
  // Time-series mode keeps the input order whatever the flag says.
  if (params.krv_mode == 0 && params.random_order == 1) {
    shuffle_periods(ctx.output_event_count, params.period_count, ctx.period_output_events,
                    ctx.period_shuffle, ctx.step_slot, engine);
  }
  if (params.krv_mode == 0) {
    lay_down_events(ctx.event_period_repeats, ctx.period_output_events, ctx.period_slot_base,
                    ctx.slot_event);
  }
  // The random order is applied here once: row t holds the event step t shows,
  // and the writers print row t at step t.
  compose_series_event(ctx.step_slot, ctx.slot_event, ctx.series_event);
  // Nothing reads the input heights and periods after the series are made.
  build_wave_series_moving_inputs(ctx.wave_height, ctx.wave_period, ctx.selected_direction,
                                  ctx.series_event, ctx.out_height, ctx.out_period,
                                  ctx.out_direction, ctx.thread_count);
  return context::Status::ok;
}

}  // namespace convert
