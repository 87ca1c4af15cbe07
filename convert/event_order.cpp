#include "convert/event_order.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <exception>

#include "context/rounding.h"

namespace convert {
namespace {

// The next slot from k on that no later write has claimed (k = size: none).
std::int32_t next_free(std::vector<std::int32_t>& next, std::int32_t k) {
  while (next[static_cast<std::size_t>(k)] != k) {
    std::int32_t& up = next[static_cast<std::size_t>(k)];
    up = next[static_cast<std::size_t>(up)];  // path halving
    k = up;
  }
  return k;
}

// A 64-bit finalizer that spreads every input bit over the whole word.
std::uint64_t mix_bits(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

std::mt19937_64 fresh_engine() {
  const auto wall =
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  const auto tick =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::uint64_t device = 0;
  try {
    std::random_device source;
    device = (static_cast<std::uint64_t>(source()) << 32) ^ source();
  } catch (const std::exception&) {
    // No nondeterministic source on this system: the clock alone seeds.
  }
  // One 64-bit seed: a full seed sequence per period would cost more than the
  // shuffle of a short block itself.
  return std::mt19937_64(mix_bits(device ^ mix_bits(wall ^ mix_bits(tick))));
}

std::uint64_t draw_below(std::mt19937_64& engine, std::uint64_t bound) {
  // Rejection sampling: accept only the largest multiple of bound below 2^64
  // of the 2^64 outputs, then take the remainder, so that every result is
  // exactly equally likely. Written here, not taken from the standard
  // library's distributions, whose draws differ between libraries: a seeded
  // run gives the same order on every platform.
  const std::uint64_t rejected = (0 - bound) % bound;  // 2^64 mod bound
  for (;;) {
    const std::uint64_t x = engine();
    if (x >= rejected)
      return x % bound;
  }
}

// The inside-out Fisher-Yates shuffle (Durstenfeld's form), one draw per
// element, written here for the same reason as draw_below.
void shuffle_order(std::int32_t n, std::span<std::int32_t> order, std::mt19937_64& engine) {
  std::fill(order.begin(), order.end(), 0);
  const std::size_t count =
      n > 0 ? std::min(static_cast<std::size_t>(n), order.size()) : std::size_t{0};
  for (std::size_t i = 1; i <= count; ++i) {
    const std::size_t j = static_cast<std::size_t>(draw_below(engine, i)) + 1;  // 1 .. i
    order[i - 1] = order[j - 1];
    order[j - 1] = static_cast<std::int32_t>(i);
  }
}

void start_index_tables(std::int32_t output_event_count, std::vector<std::int32_t>& step_slot,
                        std::vector<std::int32_t>& slot_event,
                        std::vector<std::int32_t>& period_shuffle,
                        std::vector<std::int32_t>& series_event) {
  context::create_list(step_slot, output_event_count, 0);
  for (std::size_t t = 0; t < step_slot.size(); ++t) {
    step_slot[t] = static_cast<std::int32_t>(t + 1);
  }
  slot_event = step_slot;
  period_shuffle = step_slot;
  series_event = step_slot;
}

std::optional<std::int32_t> repeat_count(float fraction, std::int32_t output_event_count) {
  return context::nearest_int32(fraction * static_cast<float>(output_event_count));
}

bool compute_repeats(const context::Table<float>& percent, std::int32_t output_event_count,
                     context::Table<float>& fraction, context::Table<std::int32_t>& repeats) {
  context::create_table(fraction, percent.rows, percent.columns, 0.0f);
  context::create_table(repeats, percent.rows, percent.columns, 0);
  bool all_in_range = true;
  for (std::size_t k = 0; k < percent.values.size(); ++k) {
    fraction.values[k] = percent.values[k] / 100.0f;
    const auto count = repeat_count(fraction.values[k], output_event_count);
    repeats.values[k] = count.value_or(0);
    all_in_range = all_in_range && count.has_value();
  }
  return all_in_range;
}

void shuffle_periods(std::int32_t output_event_count, std::int32_t period_count,
                     std::span<std::int32_t> period_output_events,
                     std::span<std::int32_t> period_shuffle, std::span<std::int32_t> step_slot,
                     std::mt19937_64* engine) {
  std::size_t base = 0;
  for (std::int32_t p = 0; p < period_count; ++p) {
    const std::int32_t n = output_event_count / period_count;
    if (static_cast<std::size_t>(p) < period_output_events.size()) {
      period_output_events[static_cast<std::size_t>(p)] = n;
    }
    if (n < 1)
      continue;
    const std::size_t size = static_cast<std::size_t>(n);
    if (base + size > step_slot.size() || size > period_shuffle.size())
      break;
    // A block of one step has only one order: no engine is needed for it.
    // Only the block's part of the scratch table is cleared and drawn: the
    // whole of it per period would cost steps x periods.
    const std::span<std::int32_t> order = period_shuffle.first(size);
    if (size > 1) {
      if (engine != nullptr) {
        shuffle_order(n, order, *engine);
      } else {
        std::mt19937_64 period_engine = fresh_engine();
        shuffle_order(n, order, period_engine);
      }
      for (std::size_t k = 0; k < size; ++k) {
        step_slot[base + k] = static_cast<std::int32_t>(base) + order[k];
      }
    }
    base += size;
  }
}

void lay_down_events(const context::Table<std::int32_t>& repeats,
                     std::span<const std::int32_t> period_output_events,
                     std::int32_t& period_slot_base, std::span<std::int32_t> slot_event) {
  std::fill(slot_event.begin(), slot_event.end(), 0);
  const std::int32_t periods =
      std::min(repeats.columns, static_cast<std::int32_t>(period_output_events.size()));
  const auto slots = static_cast<std::int64_t>(slot_event.size());

  // Each period starts at its nominal place; a later write replaces an earlier
  // one. Walking the writes from the last to the first and filling only slots
  // not yet claimed gives the same table with every slot written at most once,
  // however far the counts run over.
  std::vector<std::int64_t> period_start(static_cast<std::size_t>(periods) + 1, 0);
  period_start[0] = period_slot_base;
  for (std::int32_t p = 0; p < periods; ++p) {
    period_start[static_cast<std::size_t>(p) + 1] =
        period_start[static_cast<std::size_t>(p)] +
        period_output_events[static_cast<std::size_t>(p)];
  }
  std::vector<std::int32_t> next(slot_event.size() + 1);
  for (std::size_t k = 0; k < next.size(); ++k) next[k] = static_cast<std::int32_t>(k);

  for (std::int32_t p = periods - 1; p >= 0; --p) {
    std::int64_t q = period_start[static_cast<std::size_t>(p)];
    for (std::int32_t e = 0; e < repeats.rows; ++e) q += repeats(e, p);
    for (std::int32_t e = repeats.rows - 1; e >= 0; --e) {
      const std::int64_t c = repeats(e, p);
      const std::int64_t last = q;  // slots q - c + 1 .. q, from 1
      q -= c;
      if (c <= 0)
        continue;
      const std::int64_t lo = std::max<std::int64_t>(q, 0);  // from 0 in code
      const std::int64_t hi = std::min<std::int64_t>(last, slots);
      if (lo >= hi)
        continue;
      for (std::int32_t k = next_free(next, static_cast<std::int32_t>(lo)); k < hi;
           k = next_free(next, k)) {
        slot_event[static_cast<std::size_t>(k)] = e + 1;
        next[static_cast<std::size_t>(k)] = k + 1;
      }
    }
  }
  period_slot_base = static_cast<std::int32_t>(period_start[static_cast<std::size_t>(periods)]);
}

void compose_series_event(std::span<const std::int32_t> step_slot,
                          std::span<const std::int32_t> slot_event,
                          std::span<std::int32_t> series_event) {
  const std::size_t steps = std::min(step_slot.size(), series_event.size());
  for (std::size_t t = 0; t < steps; ++t) {
    const std::int32_t slot = step_slot[t];
    const bool inside = slot >= 1 && static_cast<std::size_t>(slot) <= slot_event.size();
    series_event[t] = inside ? slot_event[static_cast<std::size_t>(slot) - 1] : 0;
  }
}

}  // namespace convert
