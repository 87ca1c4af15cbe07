// convert/wave_series.h: the output series by output time step and station:
// the height, period and direction of the input event each step shows.
#pragma once

#include <cstdint>
#include <span>

#include "run/table.h"

namespace convert {

// Creates out_height, out_period and out_direction with one row per entry of
// series_event and one column per station of the inputs, all 0.0, then fills
// row t from input event series_event(t) (from 1; 0 = none leaves the row at
// 0.0). The direction is narrowed to the nearest 4-byte real.
void build_wave_series(const run::Table<float>& wave_height, const run::Table<float>& wave_period,
                       const run::Table<double>& selected_direction,
                       std::span<const std::int32_t> series_event, run::Table<float>& out_height,
                       run::Table<float>& out_period, run::Table<float>& out_direction);

}  // namespace convert
