// The report's views of a series: envelope buckets, the wave rose and the
// joint height-period table.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "report/series_views.h"

namespace {

TEST(series_views, envelope_keeps_every_peak) {
  // Ten steps in three parts: steps 0-2, 3-5, 6-9; the NaN is left out.
  const std::vector<float> v = {1, 9, 2, 3, NAN, 4, 0.5f, 7, 6, 5};
  const auto b = report::envelope(v, 3);
  ASSERT_EQ(b.size(), 3u);
  struct Want {
    std::size_t first, count;
    float low, high;
  };
  const Want want[] = {{0, 3, 1, 9}, {3, 2, 3, 4}, {6, 4, 0.5f, 7}};
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(b[k].first, want[k].first);
    EXPECT_EQ(b[k].count, want[k].count);
    EXPECT_EQ(b[k].low, want[k].low);
    EXPECT_EQ(b[k].high, want[k].high);
  }
  EXPECT_EQ(report::envelope(v, 1000).size(), v.size());  // never more parts than steps
  EXPECT_TRUE(report::envelope({}, 10).empty());
}

TEST(series_views, rose_and_joint_table_in_percent) {
  const std::vector<double> hs_edges = {0.5, 1.0};  // classes <0.5, 0.5-1, >=1
  // Four steps: 0 deg 0.2 m, 11.25 deg (the next sector) 0.5 m, 180 deg 2 m
  // twice; one step without a height is left out.
  const std::vector<float> dir = {0.0f, 11.25f, 180.0f, 180.0f, 90.0f};
  const std::vector<float> hs = {0.2f, 0.5f, 2.0f, 2.0f, NAN};
  const auto rose = report::wave_rose(dir, hs, 16, hs_edges);
  EXPECT_EQ(rose.counted, 4u);
  EXPECT_EQ(rose.at(0, 0), 25.0);
  EXPECT_EQ(rose.at(1, 1), 25.0);
  EXPECT_EQ(rose.at(8, 2), 50.0);
  EXPECT_EQ(rose.row_total[8], 50.0);
  EXPECT_EQ(rose.column_total[2], 50.0);

  const std::vector<double> tp_edges = {6.0};
  const std::vector<float> tp = {4.0f, 6.0f, 8.0f, 5.0f, 8.0f};
  const auto joint = report::joint_table(hs, tp, hs_edges, tp_edges);
  EXPECT_EQ(joint.counted, 4u);
  EXPECT_EQ(joint.at(0, 0), 25.0);  // 0.2 m, 4 s
  EXPECT_EQ(joint.at(1, 1), 25.0);  // 0.5 m, 6 s: edges belong to the class above
  EXPECT_EQ(joint.at(2, 0), 25.0);  // 2 m, 5 s
  EXPECT_EQ(joint.at(2, 1), 25.0);  // 2 m, 8 s
  double sum = 0.0;
  for (const double c : joint.column_total) sum += c;
  EXPECT_EQ(sum, 100.0);
}

}  // namespace
