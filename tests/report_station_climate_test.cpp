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

// What a bad step is: each limit on both sides, calm steps, values that are
// not numbers.
TEST(station_climate, bad_steps_are_no_waves) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double hs, tp, direction;
    bool bad;
  };
  const Case cases[] = {
      {1.0, 8.0, 10.0, false},    {0.0, 0.0, 10.0, false},   {0.0, 8.0, 10.0, false},
      {25.0, 40.0, 360.0, false}, {0.5, 3.0, -360.0, false}, {-0.01, 8.0, 10.0, true},
      {25.01, 8.0, 10.0, true},   {1.0, -0.01, 10.0, true},  {1.0, 40.01, 10.0, true},
      {1.0, 0.0, 10.0, true},     {1.0, 8.0, 360.01, true},  {1.0, 8.0, -9999.0, true},
      {nan, 8.0, 10.0, true},     {1.0, nan, 10.0, true},    {1.0, 8.0, nan, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(report::bad_step(c.hs, c.tp, c.direction), c.bad)
        << c.hs << " m, " << c.tp << " s, " << c.direction << " deg";
  }
  // Fills in Hs and Tp are left out of the statistics: the mean of the valid
  // steps 1 and 2 m is 1.5 m, the share offshore 1 of 2; calm steps count.
  const std::vector<float> h = {1.0f, -99.0f, 2.0f, 0.0f}, t = {8.0f, -99.0f, 8.0f, 0.0f};
  const std::vector<float> d = {10.0f, 10.0f, 100.0f, 10.0f};
  const auto c = report::station_climate(h, t, d, 10.0, true);
  EXPECT_EQ(c.bad_steps, 1);
  EXPECT_EQ(c.valid_steps, 3);
  EXPECT_NEAR(*c.offshore_percent, 100.0 / 3.0, 1e-9);
  report::CleanSeries clean;
  EXPECT_EQ(report::clean_series(h, t, d, clean), 1);
  report::SummaryScratch scratch;
  EXPECT_NEAR(report::summarize(clean.height, scratch).mean, 1.0, 1e-9);  // (1 + 2 + 0) / 3
  // All calm: a flux of 0, not none.
  const std::vector<float> calm = {0.0f, 0.0f};
  EXPECT_EQ(report::station_climate(calm, calm, {d.data(), 2}, 10.0, true).mean_flux, 0.0);
}

// One planted fault per flag on made-up stations of a shoreline grid:
//  0: in no cell, a wave of 5 m at 2 s (L0 = 9.81 x 4 / 2 pi = 6.25 m: steeper
//     than 1/7); 1 and 2: both in cell 3, station 1 with a fill value -99,
//     station 2 with its waves going offshore; 3: behind the origin on a dry
//     cell; 4: no step at all; 5: on the land side; 6: travelling 90 deg from
//     the shoreward gradient; 7: 20 m deep 200 m from dry land (1:10); 8: 20 m
//     deep with a closure depth of 8 m (beyond 1.5 x 8 = 12 m); 9: none.
TEST(station_climate, one_planted_fault_per_flag) {
  const std::vector<float> h = {1.0f, 1.0f, 5.0f}, t = {8.0f, 8.0f, 2.0f};
  const std::vector<float> onshore = {10.0f, 20.0f, -30.0f};
  const std::vector<float> offshore = {170.0f, -120.0f, 30.0f};
  const std::vector<float> fill = {1.0f, -99.0f, 1.0f}, t8 = {8.0f, 8.0f, 8.0f};
  const auto plain = report::station_climate({h.data(), 2}, {t.data(), 2}, onshore, 10.0, true);
  const std::vector<report::StationClimate> climate = {
      report::station_climate(h, t, onshore, 10.0, true),
      report::station_climate(fill, t8, onshore, 10.0, true),
      report::station_climate({h.data(), 2}, {t.data(), 2}, offshore, 10.0, true),
      report::station_climate({h.data(), 2}, {t.data(), 2}, onshore, 0.0, true),
      report::station_climate({}, {}, {}, 10.0, true),
      plain,
      plain,
      plain,
      plain,
      plain,
  };
  const auto at = [](std::int32_t cell, double along, double depth) {
    report::StationSetting s;
    s.cell = cell;
    s.alongshore = along;
    s.cross_shore = -50.0;
    s.depth = depth;
    return s;
  };
  std::vector<report::StationSetting> setting = {
      at(0, 10.0, 10.0),   at(3, 40.0, 10.0), at(3, 45.0, 10.0), at(5, -5.0, 0.0),
      at(6, 90.0, 10.0),   at(7, 100.0, 5.0), at(8, 110.0, 5.0), at(9, 120.0, 20.0),
      at(10, 130.0, 20.0), at(11, 140.0, 5.0)};
  setting[5].cross_shore = 20.0;
  setting[6].shoreward_bearing = 0.0;
  setting[6].travel_bearing = 90.0;
  setting[7].dry_distance = 200.0;
  setting[9].shoreward_bearing = 350.0;  // 30 degrees apart: within 35
  setting[9].travel_bearing = 20.0;
  setting[9].dry_distance = 100.0;  // 5 m in 100 m: 1:20
  const auto flags = report::station_flags(climate, setting, true, 8.0);
  const std::vector<std::string> expected = {"no_cell;steep",
                                             "shared_cell;bad_values",
                                             "shared_cell;mostly_offshore",
                                             "behind_origin;dry",
                                             "no_steps",
                                             "land_side",
                                             "against_contours",
                                             "implausible_depth",
                                             "implausible_depth",
                                             ""};
  ASSERT_EQ(flags.size(), expected.size());
  for (std::size_t p = 0; p < flags.size(); ++p)
    EXPECT_EQ(report::flag_names(flags[p]), expected[p]) << "station " << p + 1;
  // Without the closure depth station 8 passes; station 7's slope alone flags it.
  EXPECT_EQ(report::flag_names(report::station_flags(climate, setting, true, std::nullopt)[8]), "");
  // Station 2: two steps of two offshore; station 3 on a dry cell has no flux.
  EXPECT_EQ(climate[2].offshore_percent, 100.0);
  EXPECT_EQ(climate[3].mean_flux, std::nullopt);
  EXPECT_TRUE(climate[0].mean_flux.has_value());
  // The map output: no shoreline flags, no offshore share.
  const auto map_climate = report::station_climate(h, t, offshore, 10.0, false);
  EXPECT_EQ(map_climate.offshore_percent, std::nullopt);
  const report::StationSetting map_setting = at(0, -5.0, 10.0);
  const auto map_flags = report::station_flags({&map_climate, 1}, {&map_setting, 1}, false, {});
  EXPECT_EQ(report::flag_names(map_flags[0]), "steep");
  for (const auto flag : report::all_flags) EXPECT_STRNE(report::flag_explanation(flag), "");
}

}  // namespace
