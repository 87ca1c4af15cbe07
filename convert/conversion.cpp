#include "convert/conversion.h"

#include "convert/event_order.h"
#include "convert/wave_series.h"

namespace convert {

void order_events_and_build_series(run::RunContext& ctx) {
  order_events_and_build_series(ctx, nullptr);
}

void order_events_and_build_series(run::RunContext& ctx, std::mt19937_64* engine) {
  const run::RunParameters& params = ctx.params;
  start_index_tables(ctx.output_event_count, ctx.step_slot, ctx.slot_event, ctx.period_shuffle,
                     ctx.series_event);
  ctx.period_slot_base = 0;
  compute_repeats(ctx.event_period_percent, ctx.output_event_count, ctx.event_period_fraction,
                  ctx.event_period_repeats);
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
                                  ctx.out_direction);
}

}  // namespace convert
