#include "report/station_results.h"

#include <algorithm>

namespace report {

std::vector<StationSeries> summarize_station_series(const SeriesSpans& spans) {
  return summarize_station_series(spans, 0, spans.stations);
}

std::vector<StationSeries> summarize_station_series(const SeriesSpans& spans, std::size_t first,
                                                    std::size_t last) {
  last = std::min(last, spans.stations);
  std::vector<StationSeries> all(last > first ? last - first : 0);
  SummaryScratch scratch;
  CleanSeries clean;
  for (std::size_t p = first; p < last; ++p) {
    const auto height = spans.of(spans.height, p);
    const auto period = spans.of(spans.period, p);
    const auto direction = spans.of(spans.direction, p);
    StationSeries& s = all[p - first];
    const double depth = p < spans.depth.size() ? spans.depth[p] : 0.0;
    s.climate = station_climate(height, period, direction, depth, spans.shoreline);
    // Every view of the series leaves the bad steps out where they stand.
    const bool any_bad = s.climate.bad_steps > 0;
    if (any_bad)
      clean_series(height, period, direction, clean);
    const std::span<const float> h = any_bad ? std::span<const float>(clean.height) : height;
    const std::span<const float> t = any_bad ? std::span<const float>(clean.period) : period;
    const std::span<const float> d = any_bad ? std::span<const float>(clean.direction) : direction;
    s.height = summarize(h, scratch);
    s.period = summarize(t, scratch);
    s.rose = wave_rose(d, h, rose_sectors, rose_height_edges);
    s.joint = joint_table(h, t, joint_height_edges, joint_period_edges);
    s.height_envelope = envelope(h, envelope_buckets);
    if (spans.sediment)
      s.transport = station_transport(height, period, direction, depth, *spans.sediment);
  }
  return all;
}

}  // namespace report
