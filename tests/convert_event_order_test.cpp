#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <vector>

#include "convert/conversion.h"
#include "convert/event_order.h"
#include "tests/table_support.h"

namespace {

using Ints = std::vector<std::int32_t>;

// A run context as the wave-model input leaves it for the ordering: the
// percentages by (event, period) and the per-period split.
context::RunContext ordering_context(std::int32_t output_events, std::int32_t periods,
                                     const std::vector<std::vector<float>>& percent_by_event,
                                     std::int8_t krv_mode = 0, std::int8_t random_order = 0) {
  context::RunContext ctx;
  const auto events = static_cast<std::int32_t>(percent_by_event.size());
  ctx.params.krv_mode = krv_mode;
  ctx.params.random_order = random_order;
  ctx.params.period_count = periods;
  ctx.input_event_count = events;
  ctx.output_event_count = output_events;
  ctx.station_count = 1;
  context::create_table(ctx.event_period_percent, events, periods, 0.0f);
  context::create_table(ctx.event_period_fraction, events, periods, 0.0f);
  context::create_table(ctx.event_period_repeats, events, periods, 0);
  for (std::int32_t e = 0; e < events; ++e) {
    for (std::int32_t p = 0; p < periods; ++p) {
      ctx.event_period_percent(e, p) =
          percent_by_event[static_cast<std::size_t>(e)][static_cast<std::size_t>(p)];
    }
  }
  context::create_list(ctx.period_output_events, periods,
                       periods > 0 ? output_events / periods : 0);
  // Heights name their event, so a row shows which event it holds.
  context::create_table(ctx.wave_height, events, 1, 0.0f);
  context::create_table(ctx.wave_period, events, 1, 0.0f);
  context::create_table(ctx.selected_direction, events, 1, 0.0);
  for (std::int32_t e = 0; e < events; ++e) {
    ctx.wave_height(e, 0) = static_cast<float>(e + 1);
    ctx.wave_period(e, 0) = static_cast<float>(10 * (e + 1));
    ctx.selected_direction(e, 0) = 100.0 * (e + 1);
  }
  return ctx;
}

Ints identity(std::int32_t n) {
  Ints v(static_cast<std::size_t>(n));
  std::iota(v.begin(), v.end(), 1);
  return v;
}

TEST(repeat_count, rounded_half_away_from_zero) {
  struct Case {
    float percent;
    std::int32_t output_events, repeats;
  };
  const Case cases[] = {
      {50.0f, 10, 5},         {30.0f, 10, 3}, {20.0f, 10, 2},
      {100.0f / 3.0f, 10, 3}, {25.0f, 10, 3}, {35.0f, 10, 4},  // products 2.5 and 3.5
      {-25.0f, 10, -3},       {24.0f, 10, 2}, {0.0f, 10, 0},
      {45.0f, 11, 5},         {50.0f, 11, 6}, {100.0f, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.percent);
    EXPECT_EQ(convert::repeat_count(c.percent / 100.0f, c.output_events), c.repeats);
  }
  // Past the 4-byte range, or no number: no count.
  for (const float fraction : {1.0e28f, -1.0e28f, 1.5e36f, std::nanf("")})
    EXPECT_EQ(convert::repeat_count(fraction, 10), std::nullopt) << fraction;
}

TEST(order_events, examples) {
  struct Case {
    const char* name;
    std::int32_t output_events, periods;
    std::vector<std::vector<float>> percent;  // by event, then period
    Ints repeats;                             // by event, then period (event fastest)
    Ints series_event;
  };
  const float third = 100.0f / 3.0f;  // 33.333332
  const Case cases[] = {
      {"50/30/20", 10, 1, {{50}, {30}, {20}}, {5, 3, 2}, {1, 1, 1, 1, 1, 2, 2, 2, 3, 3}},
      {"default", 10, 1, {{third}, {third}, {third}}, {3, 3, 3}, {1, 1, 1, 2, 2, 2, 3, 3, 3, 0}},
      {"two periods", 10, 2, {{30, 10}, {20, 40}}, {3, 2, 1, 4}, {1, 1, 1, 2, 2, 1, 2, 2, 2, 2}},
      {"halves up", 10, 1, {{25}, {35}}, {3, 4}, {1, 1, 1, 2, 2, 2, 2, 0, 0, 0}},
      {"11 over 2", 11, 2, {{45, 45}}, {5, 5}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}},
      {"11 over 2 run into 11", 11, 2, {{50, 50}}, {6, 6}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      // Period 1 runs over into period 2, which starts at its nominal place;
      // slot 7 keeps period 1's event.
      {"run over", 10, 2, {{70, 0}, {0, 10}}, {7, 0, 0, 1}, {1, 1, 1, 1, 1, 2, 1, 0, 0, 0}},
      // Past the end of the series: not written.
      {"past the end", 4, 1, {{150}}, {6}, {1, 1, 1, 1}},
      // A negative count moves the position back; nothing is written below slot 1.
      {"negative", 10, 1, {{50}, {-20}, {30}}, {5, -2, 3}, {1, 1, 1, 3, 3, 3, 0, 0, 0, 0}},
      {"negative first", 6, 1, {{-20}, {50}}, {-1, 3}, {2, 2, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    context::RunContext ctx = ordering_context(c.output_events, c.periods, c.percent);
    convert::order_events_and_build_series(ctx);
    EXPECT_EQ(testing_support::elements(ctx.event_period_repeats), c.repeats);
    EXPECT_EQ(ctx.series_event, c.series_event);
    EXPECT_EQ(ctx.slot_event, c.series_event);
    EXPECT_EQ(ctx.step_slot, identity(c.output_events));
    EXPECT_EQ(ctx.period_slot_base, c.output_events / c.periods * c.periods);
    for (std::size_t t = 0; t < c.series_event.size(); ++t) {
      EXPECT_EQ(ctx.out_height.values[t], static_cast<float>(c.series_event[t])) << t;
    }
  }
}

TEST(order_events, fractions_are_four_byte_quotients) {
  context::RunContext ctx = ordering_context(10, 1, {{100.0f / 3.0f}, {12.5f}});
  convert::order_events_and_build_series(ctx);
  EXPECT_EQ(testing_support::elements(ctx.event_period_fraction),
            (std::vector<float>{100.0f / 3.0f / 100.0f, 0.125f}));
}

TEST(order_events, time_series_mode_keeps_input_order) {
  for (std::int8_t random : {0, 1}) {
    SCOPED_TRACE(static_cast<int>(random));
    context::RunContext ctx = ordering_context(5, 1, {{90}, {0}, {0}, {0}, {0}}, 1, random);
    convert::order_events_and_build_series(ctx);
    EXPECT_EQ(ctx.series_event, identity(5));
    EXPECT_EQ(ctx.step_slot, identity(5));
    EXPECT_EQ(testing_support::elements(ctx.out_height), (std::vector<float>{1, 2, 3, 4, 5}));
  }
}

TEST(order_events, no_steps_and_no_periods) {
  context::RunContext empty = ordering_context(0, 1, {{50}});
  convert::order_events_and_build_series(empty);
  EXPECT_TRUE(empty.series_event.empty());
  EXPECT_TRUE(empty.out_height.values.empty());

  context::RunContext none = ordering_context(4, 0, {{}}, 0, 1);
  convert::order_events_and_build_series(none);
  EXPECT_EQ(none.series_event, (Ints{0, 0, 0, 0}));
  EXPECT_EQ(none.step_slot, identity(4));
}

// The laying down written the plain way: every slot of every count in order.
Ints lay_down_reference(const context::Table<std::int32_t>& repeats, const Ints& period_events,
                        std::int32_t slots) {
  Ints slot_event(static_cast<std::size_t>(slots), 0);
  std::int64_t base = 0;
  for (std::int32_t p = 0; p < repeats.columns; ++p) {
    std::int64_t q = base;
    for (std::int32_t e = 0; e < repeats.rows; ++e) {
      const std::int32_t c = repeats(e, p);
      for (std::int64_t k = q + 1; k <= q + c; ++k) {
        if (k >= 1 && k <= slots)
          slot_event[static_cast<std::size_t>(k - 1)] = e + 1;
      }
      q += c;
    }
    base += period_events[static_cast<std::size_t>(p)];
  }
  return slot_event;
}

TEST(lay_down_events, matches_writing_every_slot_in_order) {
  std::mt19937_64 engine(7);
  std::uniform_int_distribution<std::int32_t> count(-6, 14);
  for (int trial = 0; trial < 500; ++trial) {
    const std::int32_t events = 1 + trial % 5;
    const std::int32_t periods = 1 + (trial / 5) % 4;
    const std::int32_t slots = trial % 23;
    context::Table<std::int32_t> repeats;
    context::create_table(repeats, events, periods, 0);
    for (auto& c : repeats.values) c = count(engine);
    const Ints period_events(static_cast<std::size_t>(periods), slots / periods);
    Ints slot_event(static_cast<std::size_t>(slots), 99);
    std::int32_t base = 0;
    convert::lay_down_events(repeats, period_events, base, slot_event);
    ASSERT_EQ(slot_event, lay_down_reference(repeats, period_events, slots)) << "trial " << trial;
    EXPECT_EQ(base, slots / periods * periods);
  }
}

TEST(shuffle_order, permutation_of_the_first_n) {
  std::mt19937_64 engine(11);
  for (std::int32_t n : {0, 1, 2, 5, 9}) {
    SCOPED_TRACE(n);
    Ints order(9, -1);
    convert::shuffle_order(n, order, engine);
    Ints head(order.begin(), order.begin() + n);
    std::sort(head.begin(), head.end());
    EXPECT_EQ(head, identity(n));
    EXPECT_TRUE(std::all_of(order.begin() + n, order.end(), [](std::int32_t v) { return v == 0; }));
  }
  Ints small(3, -1);
  convert::shuffle_order(8, small, engine);  // held to the table's length
  std::sort(small.begin(), small.end());
  EXPECT_EQ(small, identity(3));
}

// Each block of step_slot holds exactly its own steps; the rest is untouched.
void expect_blocks_permuted(const Ints& step_slot, std::int32_t block, std::int32_t blocks) {
  for (std::int32_t b = 0; b < blocks; ++b) {
    Ints part(step_slot.begin() + b * block, step_slot.begin() + (b + 1) * block);
    std::sort(part.begin(), part.end());
    Ints own(static_cast<std::size_t>(block));
    std::iota(own.begin(), own.end(), b * block + 1);
    EXPECT_EQ(part, own) << "block " << b;
  }
  for (std::size_t t = static_cast<std::size_t>(block * blocks); t < step_slot.size(); ++t) {
    EXPECT_EQ(step_slot[t], static_cast<std::int32_t>(t + 1));
  }
}

TEST(shuffle_periods, blocks_map_onto_themselves) {
  struct Case {
    std::int32_t output_events, periods;
  };
  const Case cases[] = {{10, 1}, {10, 2}, {11, 2}, {23, 4}, {7, 7}, {3, 5}, {1000, 3}};
  std::mt19937_64 engine(3);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.output_events) + " over " + std::to_string(c.periods));
    for (std::mt19937_64* source : {&engine, static_cast<std::mt19937_64*>(nullptr)}) {
      Ints step_slot = identity(c.output_events);
      Ints shuffle = step_slot;
      Ints period_events(static_cast<std::size_t>(c.periods), -1);
      convert::shuffle_periods(c.output_events, c.periods, period_events, shuffle, step_slot,
                               source);
      const std::int32_t block = c.output_events / c.periods;
      EXPECT_EQ(period_events, Ints(static_cast<std::size_t>(c.periods), block));
      expect_blocks_permuted(step_slot, block, c.periods);
      if (block == 1) {
        EXPECT_EQ(step_slot, identity(c.output_events));
      }
    }
  }
}

TEST(order_events, random_order_is_applied_once_and_uniform) {
  // One block of three steps, one event per step: each draw shows an order of
  // events 1, 2, 3, and all six must come up about equally often.
  std::mt19937_64 engine(20120802);
  std::map<Ints, int> seen;
  const int draws = 6000;
  for (int k = 0; k < draws; ++k) {
    const float third = 100.0f / 3.0f;
    context::RunContext ctx = ordering_context(3, 1, {{third}, {third}, {third}}, 0, 1);
    convert::order_events_and_build_series(ctx, &engine);
    ASSERT_EQ(ctx.slot_event, (Ints{1, 2, 3}));
    // Step j shows the event of slot step_slot(j), and row j of the series holds it.
    for (std::size_t j = 0; j < 3; ++j) {
      ASSERT_EQ(ctx.series_event[j],
                ctx.slot_event[static_cast<std::size_t>(ctx.step_slot[j] - 1)]);
      ASSERT_EQ(ctx.out_height.values[j], static_cast<float>(ctx.series_event[j]));
    }
    ++seen[ctx.series_event];
  }
  ASSERT_EQ(seen.size(), 6u);
  double chi_square = 0.0;
  for (const auto& [order, count] : seen) {
    const double expected = draws / 6.0;
    chi_square += (count - expected) * (count - expected) / expected;
    EXPECT_NEAR(count, expected, 150.0);
  }
  EXPECT_LT(chi_square, 20.5);  // 5 degrees of freedom, p = 0.001
}

TEST(order_events, two_step_blocks_move) {
  // Two periods of two steps; event 1 then event 2 laid down in each.
  std::mt19937_64 engine(99);
  int swapped[2] = {0, 0};
  const int draws = 2000;
  for (int k = 0; k < draws; ++k) {
    context::RunContext ctx = ordering_context(4, 2, {{25, 25}, {25, 25}}, 0, 1);
    convert::order_events_and_build_series(ctx, &engine);
    ASSERT_EQ(ctx.slot_event, (Ints{1, 2, 1, 2}));
    for (int b = 0; b < 2; ++b) {
      const Ints block(ctx.series_event.begin() + 2 * b, ctx.series_event.begin() + 2 * b + 2);
      ASSERT_TRUE(block == (Ints{1, 2}) || block == (Ints{2, 1}));
      if (block == (Ints{2, 1}))
        ++swapped[b];
    }
  }
  for (int b = 0; b < 2; ++b) EXPECT_NEAR(swapped[b], draws / 2, 150) << "block " << b;
}

TEST(order_events, fresh_engines_draw_different_orders) {
  // Without a given engine every period is seeded from the clock and the
  // system's source: a long block is practically never left in order twice.
  context::RunContext a = ordering_context(200, 1, {{100}}, 0, 1);
  context::RunContext b = ordering_context(200, 1, {{100}}, 0, 1);
  convert::order_events_and_build_series(a);
  convert::order_events_and_build_series(b);
  expect_blocks_permuted(a.step_slot, 200, 1);
  EXPECT_NE(a.step_slot, b.step_slot);
  EXPECT_NE(a.step_slot, identity(200));
}

}  // namespace
