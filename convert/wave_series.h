// convert/wave_series.h: the output series by output time step and station:
// the height, period and direction of the input event each step shows.
#pragma once

#include <cstdint>
#include <span>

#include "context/table.h"

namespace convert {

// Creates out_height, out_period and out_direction with one row per entry of
// series_event and one column per station of the inputs, all 0.0, then fills
// row t from input event series_event(t) (from 1; 0 = none leaves the row at
// 0.0). The direction is narrowed to the nearest 4-byte real. The stations
// are shared out over `threads` threads.
void build_wave_series(const context::Table<float>& wave_height,
                       const context::Table<float>& wave_period,
                       const context::Table<double>& selected_direction,
                       std::span<const std::int32_t> series_event,
                       context::Table<float>& out_height, context::Table<float>& out_period,
                       context::Table<float>& out_direction, unsigned threads = 1);

// The same where the input tables are not read again: when every row t shows
// input event t + 1 and the inputs have one row per step (time-series mode),
// the height and period series are those tables themselves, moved rather than
// copied, the directions are narrowed in the memory of theirs, and the inputs
// are left empty. Otherwise as build_wave_series, the inputs left as they are.
void build_wave_series_moving_inputs(context::Table<float>& wave_height,
                                     context::Table<float>& wave_period,
                                     context::Table<double>& selected_direction,
                                     std::span<const std::int32_t> series_event,
                                     context::Table<float>& out_height,
                                     context::Table<float>& out_period,
                                     context::Table<float>& out_direction, unsigned threads = 1);

}  // namespace convert
