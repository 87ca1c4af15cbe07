#include <gtest/gtest.h>

#include <vector>

#include "convert/wave_series.h"
#include "tests/table_support.h"

namespace {

using Ints = std::vector<std::int32_t>;

struct Inputs {
  context::Table<float> height, period;
  context::Table<double> direction;
};

// events x stations of distinct values: height e + 10 s, period 100 + e + 10 s.
Inputs inputs(std::int32_t events, std::int32_t stations) {
  Inputs in;
  context::create_table(in.height, events, stations, 0.0f);
  context::create_table(in.period, events, stations, 0.0f);
  context::create_table(in.direction, events, stations, 0.0);
  for (std::int32_t s = 0; s < stations; ++s) {
    for (std::int32_t e = 0; e < events; ++e) {
      in.height(e, s) = static_cast<float>(e + 1 + 10 * s);
      in.period(e, s) = static_cast<float>(100 + e + 1 + 10 * s);
      in.direction(e, s) = 123.456789012 + e + 10 * s;
    }
  }
  return in;
}

TEST(build_wave_series, rows_follow_series_event) {
  struct Case {
    const char* name;
    std::int32_t events;
    Ints series_event;
  };
  const Case cases[] = {
      {"time series", 3, {1, 2, 3}},
      {"repetitions 2 and 1 over 4 steps", 2, {1, 1, 2, 0}},
      {"shuffled", 3, {3, 0, 1, 3, 2}},
      {"no steps", 2, {}},
      {"event beyond the inputs", 2, {3, -1, 2}},  // kept at 0.0, never read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t stations = 2;
    const Inputs in = inputs(c.events, stations);
    context::Table<float> h, p, d;
    convert::build_wave_series(in.height, in.period, in.direction, c.series_event, h, p, d);
    const auto steps = static_cast<std::int32_t>(c.series_event.size());
    ASSERT_EQ(h.rows, steps);
    ASSERT_EQ(h.columns, stations);
    ASSERT_EQ(p.values.size(), h.values.size());
    ASSERT_EQ(d.values.size(), h.values.size());
    for (std::int32_t s = 0; s < stations; ++s) {
      for (std::int32_t t = 0; t < steps; ++t) {
        const std::int32_t e = c.series_event[static_cast<std::size_t>(t)];
        if (e >= 1 && e <= c.events) {
          EXPECT_EQ(h(t, s), in.height(e - 1, s));
          EXPECT_EQ(p(t, s), in.period(e - 1, s));
          EXPECT_EQ(d(t, s), static_cast<float>(in.direction(e - 1, s)));
        } else {
          EXPECT_EQ(h(t, s), 0.0f);
          EXPECT_EQ(p(t, s), 0.0f);
          EXPECT_EQ(d(t, s), 0.0f);
        }
      }
    }
  }
}

TEST(build_wave_series, direction_narrowed_to_nearest_four_byte_real) {
  const Inputs in = inputs(1, 1);
  context::Table<float> h, p, d;
  convert::build_wave_series(in.height, in.period, in.direction, Ints{1}, h, p, d);
  EXPECT_EQ(static_cast<double>(d(0, 0)), 123.456787109375);
}

// Moving the inputs gives the same series as copying them; the inputs are
// moved only where every step shows its own event, one row per step.
TEST(build_wave_series_moving_inputs, same_series_inputs_moved_only_in_order) {
  struct Case {
    const char* name;
    std::int32_t events;
    Ints series_event;  // empty: 1 .. events
    bool moved;
    std::int32_t stations = 2;
  };
  const Case cases[] = {
      {"time series", 3, {1, 2, 3}, true},
      {"fewer steps than events", 3, {1, 2}, false},
      {"one step out of order", 3, {1, 3, 2}, false},
      {"a step with no event", 3, {1, 2, 0}, false},
      {"repetitions", 2, {1, 1}, false},
      {"no steps, no events", 0, {}, true},
      // Directions of 4.8 MB: narrowed where they stand, their pages moved.
      {"time series of large tables", 6000, {}, true, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Ints series = c.series_event;
    if (series.empty()) {
      for (std::int32_t e = 1; e <= c.events; ++e) series.push_back(e);
    }
    const Inputs copied = inputs(c.events, c.stations);
    context::Table<float> h, p, d;
    convert::build_wave_series(copied.height, copied.period, copied.direction, series, h, p, d);
    Inputs in = inputs(c.events, c.stations);
    context::Table<float> mh, mp, md;
    convert::build_wave_series_moving_inputs(in.height, in.period, in.direction, series, mh, mp, md,
                                             3);
    EXPECT_EQ(testing_support::elements(mh), testing_support::elements(h));
    EXPECT_EQ(testing_support::elements(mp), testing_support::elements(p));
    EXPECT_EQ(testing_support::elements(md), testing_support::elements(d));
    EXPECT_EQ(mh.rows, h.rows);
    EXPECT_EQ(mh.columns, h.columns);
    EXPECT_EQ(md.columns, d.columns);
    if (c.moved) {
      EXPECT_TRUE(in.height.values.empty());
      EXPECT_TRUE(in.period.values.empty());
      EXPECT_TRUE(in.direction.values.empty());
    } else {
      EXPECT_EQ(testing_support::elements(in.height), testing_support::elements(copied.height));
      EXPECT_EQ(testing_support::elements(in.period), testing_support::elements(copied.period));
    }
  }
}

}  // namespace
