#include "convert/wave_series.h"

#include <algorithm>

namespace convert {

void build_wave_series(const run::Table<float>& wave_height, const run::Table<float>& wave_period,
                       const run::Table<double>& selected_direction,
                       std::span<const std::int32_t> series_event, run::Table<float>& out_height,
                       run::Table<float>& out_period, run::Table<float>& out_direction) {
  const auto steps = static_cast<std::int32_t>(series_event.size());
  const std::int32_t stations = wave_height.columns;
  run::create_table(out_height, steps, stations, 0.0f);
  run::create_table(out_period, steps, stations, 0.0f);
  run::create_table(out_direction, steps, stations, 0.0f);

  // Only events inside all three input tables are gathered.
  const std::int32_t events =
      std::min({wave_height.rows, wave_period.rows, selected_direction.rows});
  const std::int32_t columns =
      std::min({stations, wave_period.columns, selected_direction.columns});
  for (std::int32_t s = 0; s < columns; ++s) {
    const float* height = wave_height.column(s);
    const float* period = wave_period.column(s);
    const double* direction = selected_direction.column(s);
    float* h = out_height.column(s);
    float* p = out_period.column(s);
    float* d = out_direction.column(s);
    for (std::int32_t t = 0; t < steps; ++t) {
      const std::int32_t e = series_event[static_cast<std::size_t>(t)];
      if (e < 1 || e > events)
        continue;
      h[t] = height[e - 1];
      p[t] = period[e - 1];
      d[t] = static_cast<float>(direction[e - 1]);  // round to nearest
    }
  }
}

}  // namespace convert
