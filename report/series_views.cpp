#include "report/series_views.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "report/wave_physics.h"

namespace report {
namespace {

PercentTable empty_table(std::size_t rows, std::size_t columns) {
  PercentTable t;
  t.rows = rows;
  t.columns = columns;
  t.percent.assign(rows * columns, 0.0);
  t.row_total.assign(rows, 0.0);
  t.column_total.assign(columns, 0.0);
  return t;
}

// Counts to percentages of all counted, with the totals.
void to_percent(PercentTable& t) {
  if (t.counted == 0)
    return;
  const double scale = 100.0 / static_cast<double>(t.counted);
  for (std::size_t r = 0; r < t.rows; ++r) {
    for (std::size_t c = 0; c < t.columns; ++c) {
      double& cell = t.percent[r * t.columns + c];
      cell *= scale;
      t.row_total[r] += cell;
      t.column_total[c] += cell;
    }
  }
}

}  // namespace

std::vector<Bucket> envelope(std::span<const float> values, std::size_t buckets) {
  std::vector<Bucket> out;
  if (values.empty() || buckets == 0)
    return out;
  const std::size_t parts = std::min(buckets, values.size());
  out.resize(parts);
  for (std::size_t b = 0; b < parts; ++b) {
    Bucket& k = out[b];
    k.first = b * values.size() / parts;
    const std::size_t end = (b + 1) * values.size() / parts;
    // Branch-free over the part: infinities start the least and greatest.
    float low = std::numeric_limits<float>::infinity(), high = -low;
    std::size_t count = 0;
    for (std::size_t t = k.first; t < end; ++t) {
      const float v = values[t];
      const bool finite = std::isfinite(v);
      low = finite && v < low ? v : low;
      high = finite && v > high ? v : high;
      count += finite ? 1 : 0;
    }
    k.count = count;
    if (count > 0) {
      k.low = low;
      k.high = high;
    }
  }
  return out;
}

std::size_t value_class(double value, std::span<const double> edges) {
  // A count rather than a search: the few edges of a report's classes.
  std::size_t k = 0;
  for (const double edge : edges) k += value >= edge ? 1 : 0;
  return k;
}

PercentTable wave_rose(std::span<const float> direction, std::span<const float> height, int sectors,
                       std::span<const double> height_edges) {
  PercentTable t =
      empty_table(static_cast<std::size_t>(std::max(sectors, 1)), height_edges.size() + 1);
  const std::size_t steps = std::min(direction.size(), height.size());
  for (std::size_t s = 0; s < steps; ++s) {
    if (!std::isfinite(direction[s]) || !std::isfinite(height[s]))
      continue;
    const auto r = static_cast<std::size_t>(rose_sector(direction[s], static_cast<int>(t.rows)));
    t.percent[r * t.columns + value_class(height[s], height_edges)] += 1.0;
    ++t.counted;
  }
  to_percent(t);
  return t;
}

PercentTable joint_table(std::span<const float> height, std::span<const float> period,
                         std::span<const double> height_edges,
                         std::span<const double> period_edges) {
  PercentTable t = empty_table(height_edges.size() + 1, period_edges.size() + 1);
  const std::size_t steps = std::min(height.size(), period.size());
  for (std::size_t s = 0; s < steps; ++s) {
    if (!std::isfinite(height[s]) || !std::isfinite(period[s]))
      continue;
    t.percent[value_class(height[s], height_edges) * t.columns +
              value_class(period[s], period_edges)] += 1.0;
    ++t.counted;
  }
  to_percent(t);
  return t;
}

}  // namespace report
