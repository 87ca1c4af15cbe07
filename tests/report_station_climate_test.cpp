// Station statistics and flags of the run report on small made-up series.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "report/station_climate.h"

namespace {

TEST(station_climate, summaries_of_small_series) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    std::vector<float> values;
    std::int64_t count;
    double min, mean, p50, p90, p99, max;
  };
  // Ranks from 0: p x (n - 1); {1..5}: p90 at rank 3.6 = 4 + 0.6 x (5 - 4).
  const Case cases[] = {
      {{5, 1, 4, 2, 3}, 5, 1, 3, 3, 4.6, 4.96, 5},
      {{2, nan, 2}, 2, 2, 2, 2, 2, 2, 2},
      {{0.5f}, 1, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5},
      // Signs and magnitudes far apart sort by value, not by bits.
      {{-99, 3, -0.25f, 1e6f, 0}, 5, -99, 199980.75, 0, 600001.2, 960000.12, 1e6},
      {{}, 0, 0, 0, 0, 0, 0, 0},
  };
  report::SummaryScratch scratch;
  for (const auto& c : cases) {
    const auto s = report::summarize(c.values, scratch);
    EXPECT_EQ(s.count, c.count);
    for (const auto& [got, want] : {std::pair{s.min, c.min},
                                    {s.mean, c.mean},
                                    {s.p50, c.p50},
                                    {s.p90, c.p90},
                                    {s.p99, c.p99},
                                    {s.max, c.max}})
      EXPECT_NEAR(got, want, 1e-9);
  }
}

// Five stations along a shoreline grid, each with one planted fault:
//  0: in no cell, a wave of 5 m at 2 s (L0 = 9.81 x 4 / 2 pi = 6.25 m: steeper
//     than 1/7); 1 and 2: both in cell 3, station 1 with a fill value -99,
//     station 2 with its waves going offshore; 3: behind the origin on a dry
//     cell; 4: no step at all.
TEST(station_climate, one_planted_fault_per_flag) {
  const std::vector<float> h = {1.0f, 1.0f, 5.0f}, t = {8.0f, 8.0f, 2.0f};
  const std::vector<float> onshore = {10.0f, 20.0f, -30.0f};
  const std::vector<float> offshore = {170.0f, -120.0f, 30.0f};
  const std::vector<float> fill = {1.0f, -99.0f, 1.0f}, t8 = {8.0f, 8.0f, 8.0f};
  const std::vector<report::StationClimate> climate = {
      report::station_climate(h, t, onshore, 10.0, true),
      report::station_climate(fill, t8, onshore, 10.0, true),
      report::station_climate({h.data(), 2}, {t.data(), 2}, offshore, 10.0, true),
      report::station_climate({h.data(), 2}, {t.data(), 2}, onshore, 0.0, true),
      report::station_climate({}, {}, {}, 10.0, true),
  };
  const std::vector<std::int32_t> cell = {0, 3, 3, 5, 6};
  const std::vector<double> along = {10.0, 40.0, 45.0, -5.0, 90.0};
  const std::vector<double> depth = {10.0, 10.0, 10.0, 0.0, 10.0};
  const auto flags = report::station_flags(climate, cell, along, depth, true);
  const std::vector<std::string> expected = {"no_cell;steep", "shared_cell;bad_values",
                                             "shared_cell;mostly_offshore", "behind_origin;dry",
                                             "no_steps"};
  ASSERT_EQ(flags.size(), expected.size());
  for (std::size_t p = 0; p < flags.size(); ++p)
    EXPECT_EQ(report::flag_names(flags[p]), expected[p]) << "station " << p + 1;
  // Station 2: two steps of two offshore; station 3 on a dry cell has no flux.
  EXPECT_EQ(climate[2].offshore_percent, 100.0);
  EXPECT_EQ(climate[3].mean_flux, std::nullopt);
  EXPECT_TRUE(climate[0].mean_flux.has_value());
  // The map output: no shoreline flags, no offshore share.
  const auto map_climate = report::station_climate(h, t, offshore, 10.0, false);
  EXPECT_EQ(map_climate.offshore_percent, std::nullopt);
  const std::vector<double> map_depth = {10.0};
  const auto map_flags = report::station_flags({&map_climate, 1}, {}, {}, map_depth, false);
  EXPECT_EQ(report::flag_names(map_flags[0]), "steep");
  for (const auto flag : report::all_flags) EXPECT_STRNE(report::flag_explanation(flag), "");
}

}  // namespace
