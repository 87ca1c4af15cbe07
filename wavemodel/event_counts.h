// wavemodel/event_counts.h: how many input wave events the station output holds
// and how many output events (time steps) the run writes.
#pragma once

#include <cstdint>
#include <optional>

#include "context/run_context.h"
#include "context/status.h"
#include "textio/output_file.h"

namespace wavemodel {

// Steady-state mode: series length / time step in 4-byte arithmetic, rounded
// half away from zero; nullopt when the quotient is not finite or its rounded
// value is no 4-byte integer.
std::optional<std::int32_t> steady_state_event_count(float series_length_hours,
                                                     float time_step_hours);

// Sets output_event_count for the run's mode. Time-series mode keeps the input
// order whatever the control file said: krv_mode becomes 1 and random_order 0.
// Steady-state mode with an unusable time step prints its message and returns
// error_stop.
context::Status count_output_events(context::RunContext& ctx);

// The two event-count lines and their closing triple.
void print_event_counts(textio::OutputFile& console, std::int32_t input_event_count,
                        std::int32_t output_event_count);

}  // namespace wavemodel
