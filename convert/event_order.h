// convert/event_order.h: which input event each output time step shows: the
// repetitions of each event per period, the laying down of events in slots,
// the random order of the slots within each period, and their composition.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "context/table.h"

namespace convert {

// A random engine seeded afresh from the clock and the system's
// nondeterministic source: two runs give different orders.
std::mt19937_64 fresh_engine();

// A uniform draw from 0 .. bound - 1 (bound >= 1), exactly equally likely.
std::uint64_t draw_below(std::mt19937_64& engine, std::uint64_t bound);

// Sets all of order to 0, then makes order[0 .. n-1] a uniformly random
// permutation of 1 .. n (inside-out Fisher-Yates, one draw per element).
void shuffle_order(std::int32_t n, std::span<std::int32_t> order, std::mt19937_64& engine);

// step_slot(t) = t, and slot_event, period_shuffle, series_event copies of it,
// all sized output_event_count (empty below 1).
void start_index_tables(std::int32_t output_event_count, std::vector<std::int32_t>& step_slot,
                        std::vector<std::int32_t>& slot_event,
                        std::vector<std::int32_t>& period_shuffle,
                        std::vector<std::int32_t>& series_event);

// The 4-byte product fraction x output_event_count rounded half away from zero;
// none past the 4-byte integer range (or for a value that is no number).
std::optional<std::int32_t> repeat_count(float fraction, std::int32_t output_event_count);

// fraction = percent / 100 and repeats = repeat_count(fraction, N), element by
// element; both take the shape of percent. False when a count has no value
// (it is then 0).
bool compute_repeats(const context::Table<float>& percent, std::int32_t output_event_count,
                     context::Table<float>& fraction, context::Table<std::int32_t>& repeats);

// Puts the time steps of each period block of step_slot in a random order:
// blocks of output_event_count / period_count steps (stored again into
// period_output_events), the steps after the last block left alone. With an
// engine given it draws every period from it (tests); without one each period
// gets a fresh engine.
void shuffle_periods(std::int32_t output_event_count, std::int32_t period_count,
                     std::span<std::int32_t> period_output_events,
                     std::span<std::int32_t> period_shuffle, std::span<std::int32_t> step_slot,
                     std::mt19937_64* engine = nullptr);

// Lays the events down in input order, each over repeats(e, p) slots, every
// period from its nominal start period_slot_base. Slots outside the series are
// not written, but the position still moves by every count, so counts that run
// over the block or are negative shift the events after them as they say.
void lay_down_events(const context::Table<std::int32_t>& repeats,
                     std::span<const std::int32_t> period_output_events,
                     std::int32_t& period_slot_base, std::span<std::int32_t> slot_event);

// series_event(t) = slot_event(step_slot(t)): the event time step t shows.
void compose_series_event(std::span<const std::int32_t> step_slot,
                          std::span<const std::int32_t> slot_event,
                          std::span<std::int32_t> series_event);

}  // namespace convert
