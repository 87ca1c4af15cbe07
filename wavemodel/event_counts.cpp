#include "wavemodel/event_counts.h"

#include <cmath>

#include "context/console.h"
#include "context/rounding.h"
#include "textio/free_writer.h"

namespace wavemodel {

std::optional<std::int32_t> steady_state_event_count(float series_length_hours,
                                                     float time_step_hours) {
  return context::nearest_int32(series_length_hours / time_step_hours);
}

context::Status count_output_events(context::RunContext& ctx) {
  context::RunParameters& p = ctx.params;
  if (p.krv_mode != 0) {
    ctx.output_event_count = ctx.input_event_count;
    p.krv_mode = 1;
    p.random_order = 0;
    return context::Status::ok;
  }
  if (p.series_length_hours < 0.0f) {
    textio::write_free(ctx.console,
                       "ERROR: Output time series length (hours) must not be negative!");
    return context::Status::error_stop;
  }
  if (p.time_step_hours == 0.0f) {
    textio::write_free(ctx.console,
                       "ERROR: Output time series timestep (hours) must not be 0 in steady state "
                       "mode!");
    return context::Status::error_stop;
  }
  // A tiny step or a huge length: more steps than a 4-byte count holds.
  const auto count = steady_state_event_count(p.series_length_hours, p.time_step_hours);
  if (!count) {
    textio::write_free(ctx.console,
                       "ERROR: Output time series length / timestep gives too many time steps!");
    return context::Status::error_stop;
  }
  ctx.output_event_count = *count;
  return context::Status::ok;
}

void print_event_counts(textio::OutputFile& console, std::int32_t input_event_count,
                        std::int32_t output_event_count) {
  textio::write_free(console, "Number of input wave events:  ", input_event_count);
  textio::write_free(console, "Number of output wave events: ", output_event_count);
  context::print_closing_triple(console);
}

}  // namespace wavemodel
