#include "report/station_climate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <numbers>

#include "report/wave_physics.h"

namespace report {
namespace {

// Floats as unsigned keys in the same order: negative values reversed,
// below every positive one.
std::uint32_t key_of(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
}

float value_of(std::uint32_t key) {
  const std::uint32_t bits = (key & 0x80000000u) != 0 ? key & 0x7fffffffu : ~key;
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

double rank_value(const std::vector<std::uint32_t>& sorted, double p) {
  const double rank = p * static_cast<double>(sorted.size() - 1);
  const auto low = static_cast<std::size_t>(std::floor(rank));
  const std::size_t high = std::min(low + 1, sorted.size() - 1);
  const double part = rank - static_cast<double>(low);
  const double a = value_of(sorted[low]), b = value_of(sorted[high]);
  return a + (b - a) * part;
}

}  // namespace

// The finite values are sorted as keys by counting passes over their bits
// (11, 11 and 10 bits), a few times quicker than a comparison sort on a year
// of steps. The three counts are taken in the pass that makes the keys; a
// digit that all values share needs no pass of its own.
SeriesSummary summarize(std::span<const float> values, SummaryScratch& scratch) {
  std::vector<std::uint32_t>& keys = scratch.keys;
  std::vector<std::uint32_t>& other = scratch.other;
  keys.resize(values.size());
  constexpr int shifts[] = {0, 11, 22};
  std::uint32_t counts[3][2049] = {};
  std::size_t n = 0;
  double sum = 0.0;
  for (const float v : values) {
    if (!std::isfinite(v))
      continue;
    const std::uint32_t key = key_of(v);
    keys[n++] = key;
    sum += v;
    for (int d = 0; d < 3; ++d) ++counts[d][((key >> shifts[d]) & 0x7ffu) + 1];
  }
  SeriesSummary s;
  s.count = static_cast<std::int64_t>(n);
  if (n == 0)
    return s;
  keys.resize(n);
  other.resize(n);
  for (int d = 0; d < 3; ++d) {
    std::uint32_t* count = counts[d];
    if (std::find(count + 1, count + 2049, n) != count + 2049)
      continue;  // one digit for all
    for (std::size_t b = 1; b < 2049; ++b) count[b] += count[b - 1];
    for (const std::uint32_t key : keys) other[count[(key >> shifts[d]) & 0x7ffu]++] = key;
    keys.swap(other);
  }
  s.min = value_of(keys.front());
  s.max = value_of(keys.back());
  s.mean = sum / static_cast<double>(n);
  s.p50 = rank_value(keys, 0.50);
  s.p90 = rank_value(keys, 0.90);
  s.p99 = rank_value(keys, 0.99);
  return s;
}

std::string flag_names(unsigned flags) {
  static constexpr const char* names[] = {"no_cell", "behind_origin",   "shared_cell",
                                          "dry",     "mostly_offshore", "bad_values",
                                          "steep",   "no_steps"};
  std::string text;
  for (std::size_t k = 0; k < std::size(all_flags); ++k) {
    if ((flags & all_flags[k]) == 0)
      continue;
    if (!text.empty())
      text += ';';
    text += names[k];
  }
  return text;
}

const char* flag_explanation(StationFlag flag) {
  switch (flag) {
    case no_cell:
      return "the station lies in no shoreline cell: check the shoreline origin, azimuth, cell "
             "count and widths";
    case behind_origin:
      return "the station lies behind the shoreline origin (it takes the cell of its mirror "
             "position): check the origin and the shoreline azimuth";
    case shared_cell:
      return "another station lies in the same shoreline cell: Dunelot will get two wave series "
             "for one cell";
    case dry:
      return "the depth at the station's cell is 0 or less: the station may stand on land; check "
             "its cell and the depth file";
    case mostly_offshore:
      return "most waves travel away from the shore: check the sign of the wave-grid azimuth and "
             "the shoreline azimuth";
    case bad_values:
      return "a height or period is not a number or 0 or less: fill values such as -99 or -999 "
             "in the wave model's output";
    case steep:
      return "a wave is steeper than 1/7 of its deep-water length: an impossible height or "
             "period in the wave model's output";
    case no_steps:
      return "the output series has no step: check the time step, the series length and the "
             "frequencies";
  }
  return "";
}

bool too_steep(double hs, double tp) {
  const double l0 = gravity * tp * tp / (2.0 * std::numbers::pi);
  return hs / l0 > 1.0 / 7.0;
}

StationClimate station_climate(std::span<const float> height, std::span<const float> period,
                               std::span<const float> direction, double depth, bool shoreline) {
  StationClimate c;
  const std::size_t steps = std::min({height.size(), period.size(), direction.size()});
  c.steps = static_cast<std::int64_t>(steps);
  std::int64_t offshore = 0, with_flux = 0;
  double flux_sum = 0.0, east = 0.0, north = 0.0;
  for (std::size_t t = 0; t < steps; ++t) {
    const double hs = height[t], tp = period[t], theta = direction[t];
    const bool usable = std::isfinite(hs) && std::isfinite(tp) && hs > 0.0 && tp > 0.0;
    if (!usable) {
      c.bad_values = true;
    } else if (too_steep(hs, tp)) {
      c.steep = true;
    }
    // Four-byte sines are ample for a mean direction and a mean flux, and
    // twice as quick.
    const float angle = direction[t] * static_cast<float>(degree);
    const double sin_theta = std::sin(angle), cos_theta = std::cos(angle);
    if (std::isfinite(theta)) {
      east += sin_theta;
      north += cos_theta;
      c.has_direction = true;
    }
    if (!shoreline)
      continue;
    if (offshore_directed(theta))
      ++offshore;
    if (const auto flux =
            longshore_energy_flux(hs, tp, depth, std::abs(theta) < 90.0, sin_theta * cos_theta)) {
      flux_sum += *flux;
      ++with_flux;
    }
  }
  c.mean_direction = std::atan2(east, north) / degree;
  if (shoreline && steps > 0) {
    c.offshore_percent = 100.0 * static_cast<double>(offshore) / static_cast<double>(steps);
    if (with_flux > 0)
      c.mean_flux = flux_sum / static_cast<double>(steps);
  }
  return c;
}

std::vector<unsigned> station_flags(std::span<const StationClimate> climate,
                                    std::span<const std::int32_t> cell,
                                    std::span<const double> alongshore,
                                    std::span<const double> depth, bool shoreline) {
  std::map<std::int32_t, int> in_cell;
  if (shoreline) {
    for (const std::int32_t c : cell) {
      if (c != 0)
        ++in_cell[c];
    }
  }
  std::vector<unsigned> flags(climate.size(), 0u);
  for (std::size_t p = 0; p < climate.size(); ++p) {
    unsigned f = 0;
    if (shoreline && p < cell.size()) {
      if (cell[p] == 0)
        f |= no_cell;
      else if (in_cell[cell[p]] > 1)
        f |= shared_cell;
    }
    if (shoreline && p < alongshore.size() && alongshore[p] < 0.0)
      f |= behind_origin;
    if (p < depth.size() && !(depth[p] > 0.0))
      f |= dry;
    if (climate[p].offshore_percent && *climate[p].offshore_percent > 50.0)
      f |= mostly_offshore;
    if (climate[p].bad_values)
      f |= bad_values;
    if (climate[p].steep)
      f |= steep;
    if (climate[p].steps == 0)
      f |= no_steps;
    flags[p] = f;
  }
  return flags;
}

}  // namespace report
