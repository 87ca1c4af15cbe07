#include "convert/wave_series.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "context/table_storage.h"
#include "textio/parallel_parts.h"

namespace convert {
namespace {

// Row t of out from row series_event(t) of source, for the first `columns`
// stations and the events inside the first `events` rows.
// The stations are shared out over `threads` threads.
template <class T>
void gather(const context::Table<T>& source, std::span<const std::int32_t> series_event,
            std::int32_t events, std::int32_t columns, context::Table<float>& out,
            unsigned threads) {
  const auto steps = static_cast<std::int32_t>(series_event.size());
  textio::run_shares(columns, threads, [&](std::int64_t first, std::int64_t last) {
    for (auto s = static_cast<std::int32_t>(first); s < last; ++s) {
      const T* from = source.column(s);
      float* to = out.column(s);
      for (std::int32_t t = 0; t < steps; ++t) {
        const std::int32_t e = series_event[static_cast<std::size_t>(t)];
        if (e < 1 || e > events)
          continue;
        to[t] = static_cast<float>(from[e - 1]);  // 8-byte directions: to nearest
      }
    }
  });
}

// The directions narrowed to 4-byte reals where they stand, each element
// over the first half of its own bytes (in order: an element is read before
// any narrowed one lands on it), then that memory put under `out` as it is:
// the series takes no fresh memory, which the system would first clear.
void narrow_directions_in_place(context::Table<double>& directions, context::Table<float>& out) {
  const std::size_t count = directions.values.size();
  auto* bytes = reinterpret_cast<unsigned char*>(directions.values.data());
  for (std::size_t k = 0; k < count; ++k) {
    double wide;
    std::memcpy(&wide, bytes + k * sizeof(double), sizeof wide);
    const auto narrow = static_cast<float>(wide);  // to nearest
    std::memcpy(bytes + k * sizeof(float), &narrow, sizeof narrow);
  }
  context::create_table(out, directions.rows, directions.columns, 0.0f);
  if (count > 0 && !context::move_table_storage(bytes, count * sizeof(double), out.values.data(),
                                                count * sizeof(float))) {
    std::memcpy(out.values.data(), bytes, count * sizeof(float));
  }
  directions = context::Table<double>{};
}

}  // namespace

void build_wave_series(const context::Table<float>& wave_height,
                       const context::Table<float>& wave_period,
                       const context::Table<double>& selected_direction,
                       std::span<const std::int32_t> series_event,
                       context::Table<float>& out_height, context::Table<float>& out_period,
                       context::Table<float>& out_direction, unsigned threads) {
  const auto steps = static_cast<std::int32_t>(series_event.size());
  const std::int32_t stations = wave_height.columns;
  context::create_table(out_height, steps, stations, 0.0f);
  context::create_table(out_period, steps, stations, 0.0f);
  context::create_table(out_direction, steps, stations, 0.0f);

  // Only events inside all three input tables are gathered.
  const std::int32_t events =
      std::min({wave_height.rows, wave_period.rows, selected_direction.rows});
  const std::int32_t columns =
      std::min({stations, wave_period.columns, selected_direction.columns});
  gather(wave_height, series_event, events, columns, out_height, threads);
  gather(wave_period, series_event, events, columns, out_period, threads);
  gather(selected_direction, series_event, events, columns, out_direction, threads);
}

void build_wave_series_moving_inputs(context::Table<float>& wave_height,
                                     context::Table<float>& wave_period,
                                     context::Table<double>& selected_direction,
                                     std::span<const std::int32_t> series_event,
                                     context::Table<float>& out_height,
                                     context::Table<float>& out_period,
                                     context::Table<float>& out_direction, unsigned threads) {
  const auto steps = static_cast<std::int32_t>(series_event.size());
  bool in_order = wave_height.rows == steps && wave_period.rows == steps &&
                  selected_direction.rows == steps && wave_period.columns == wave_height.columns &&
                  selected_direction.columns == wave_height.columns;
  for (std::int32_t t = 0; in_order && t < steps; ++t)
    in_order = series_event[static_cast<std::size_t>(t)] == t + 1;
  if (!in_order) {
    build_wave_series(wave_height, wave_period, selected_direction, series_event, out_height,
                      out_period, out_direction, threads);
    return;
  }
  out_height = std::exchange(wave_height, context::Table<float>{});
  out_period = std::exchange(wave_period, context::Table<float>{});
  narrow_directions_in_place(selected_direction, out_direction);
}

}  // namespace convert
