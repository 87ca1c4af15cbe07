// report/series_views.h: what the run report draws of a station's series: the
// envelope of a long series for its plot, the wave rose, and the joint table
// of heights and periods.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace report {

// The least and greatest value of each of `buckets` consecutive parts of the
// series (fewer for a shorter series): plotted as an envelope, it keeps every
// peak however long the series. Values that are not finite are left out; a
// part with none gives a bucket whose `count` is 0.
struct Bucket {
  std::size_t first = 0;  // index of the part's first step
  std::size_t count = 0;  // finite values in the part
  float low = 0.0f, high = 0.0f;
};
std::vector<Bucket> envelope(std::span<const float> values, std::size_t buckets);

// A table of counts by row and column class, in percent of all steps counted,
// with row and column totals. A value falls in class k when edges[k-1] <= v <
// edges[k] (class 0 below edges[0], the last class from the last edge on).
struct PercentTable {
  std::size_t rows = 0, columns = 0;
  std::vector<double> percent;  // row-major, rows x columns
  std::vector<double> row_total, column_total;
  std::size_t counted = 0;
  double at(std::size_t r, std::size_t c) const { return percent[r * columns + c]; }
};
std::size_t value_class(double value, std::span<const double> edges);

// Wave rose: rows are the `sectors` direction sectors (see rose_sector),
// columns the height classes of `height_edges`. Steps whose height or
// direction is not finite are left out.
PercentTable wave_rose(std::span<const float> direction, std::span<const float> height, int sectors,
                       std::span<const double> height_edges);

// Joint table of heights (rows) and periods (columns); steps with a value that
// is not finite are left out.
PercentTable joint_table(std::span<const float> height, std::span<const float> period,
                         std::span<const double> height_edges,
                         std::span<const double> period_edges);

}  // namespace report
