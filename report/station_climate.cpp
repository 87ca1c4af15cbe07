#include "report/station_climate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
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

namespace {
const char* flag_name(StationFlag flag) {
  switch (flag) {
    case no_cell:
      return "no_cell";
    case behind_origin:
      return "behind_origin";
    case land_side:
      return "land_side";
    case shared_cell:
      return "shared_cell";
    case dry:
      return "dry";
    case mostly_offshore:
      return "mostly_offshore";
    case against_contours:
      return "against_contours";
    case implausible_depth:
      return "implausible_depth";
    case bad_values:
      return "bad_values";
    case steep:
      return "steep";
    case no_steps:
      return "no_steps";
  }
  return "";
}
}  // namespace

std::string flag_names(unsigned flags) {
  std::string text;
  for (const StationFlag f : all_flags) {
    if ((flags & f) == 0)
      continue;
    if (!text.empty())
      text += ';';
    text += flag_name(f);
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
    case land_side:
      return "the station lies on the land side of the shoreline axis (the side toward which "
             "onshore waves travel): check the sign of the shoreline azimuth and the origin";
    case against_contours:
      return "the mean wave direction lies more than 35 degrees from the shoreward depth "
             "gradient: check the direction convention and the wave grid's rotation";
    case implausible_depth:
      return "the station is deeper than 1.5 times the closure depth, or the sea bed from the "
             "nearest dry cell to it is steeper than 1:15: depths in feet, or a station far out";
    case bad_values:
      return "a step is no wave (Hs below 0 or above 25 m, Tp below 0 or above 40 s, Hs with Tp "
             "0, a direction outside -360 to 360, or not a number): fill values such as -99 or "
             "9999 in the wave model's output; such steps are left out of every statistic";
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

bool bad_step(double hs, double tp, double direction) {
  // Written so that a value that is not a number fails every comparison.
  const bool wave = hs >= 0.0 && hs <= 25.0 && tp >= 0.0 && tp <= 40.0 &&
                    !(hs > 0.0 && tp == 0.0) && direction >= -360.0 && direction <= 360.0;
  return !wave;
}

std::int64_t clean_series(std::span<const float> height, std::span<const float> period,
                          std::span<const float> direction, CleanSeries& clean) {
  const std::size_t steps = std::min({height.size(), period.size(), direction.size()});
  clean.height.assign(height.begin(), height.begin() + static_cast<std::ptrdiff_t>(steps));
  clean.period.assign(period.begin(), period.begin() + static_cast<std::ptrdiff_t>(steps));
  clean.direction.assign(direction.begin(), direction.begin() + static_cast<std::ptrdiff_t>(steps));
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  std::int64_t bad = 0;
  for (std::size_t t = 0; t < steps; ++t) {
    if (!bad_step(clean.height[t], clean.period[t], clean.direction[t]))
      continue;
    clean.height[t] = clean.period[t] = clean.direction[t] = nan;
    ++bad;
  }
  return bad;
}

StationClimate station_climate(std::span<const float> height, std::span<const float> period,
                               std::span<const float> direction, double depth, bool shoreline) {
  StationClimate c;
  const std::size_t steps = std::min({height.size(), period.size(), direction.size()});
  c.steps = static_cast<std::int64_t>(steps);
  std::int64_t offshore = 0;
  double flux_sum = 0.0, east = 0.0, north = 0.0;
  for (std::size_t t = 0; t < steps; ++t) {
    const double hs = height[t], tp = period[t], theta = direction[t];
    if (bad_step(hs, tp, theta)) {
      ++c.bad_steps;
      continue;
    }
    if (hs > 0.0 && too_steep(hs, tp))
      c.steep = true;
    // Four-byte sines are ample for a mean direction and a mean flux, and
    // twice as quick.
    const float angle = direction[t] * static_cast<float>(degree);
    const double sin_theta = std::sin(angle), cos_theta = std::cos(angle);
    east += sin_theta;
    north += cos_theta;
    if (!shoreline)
      continue;
    if (offshore_directed(theta))
      ++offshore;
    // Calm steps carry no flux but count in the mean.
    if (const auto flux =
            longshore_energy_flux(hs, tp, depth, std::abs(theta) < 90.0, sin_theta * cos_theta))
      flux_sum += *flux;
  }
  c.valid_steps = c.steps - c.bad_steps;
  c.has_direction = c.valid_steps > 0;
  c.mean_direction = c.has_direction ? std::atan2(east, north) / degree : 0.0;
  if (shoreline && c.valid_steps > 0) {
    const auto valid = static_cast<double>(c.valid_steps);
    c.offshore_percent = 100.0 * static_cast<double>(offshore) / valid;
    if (depth > 0.0)
      c.mean_flux = flux_sum / valid;
  }
  return c;
}

double bearing_difference(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

std::vector<unsigned> station_flags(std::span<const StationClimate> climate,
                                    std::span<const StationSetting> setting, bool shoreline,
                                    std::optional<double> closure_depth) {
  std::map<std::int32_t, int> in_cell;
  if (shoreline) {
    for (const StationSetting& s : setting) {
      if (s.cell != 0)
        ++in_cell[s.cell];
    }
  }
  std::vector<unsigned> flags(climate.size(), 0u);
  for (std::size_t p = 0; p < climate.size() && p < setting.size(); ++p) {
    const StationSetting& s = setting[p];
    const StationClimate& c = climate[p];
    unsigned f = 0;
    if (shoreline) {
      if (s.cell == 0)
        f |= no_cell;
      else if (in_cell[s.cell] > 1)
        f |= shared_cell;
      if (s.alongshore < 0.0)
        f |= behind_origin;
      if (s.cross_shore > 0.0)
        f |= land_side;
    }
    if (!(s.depth > 0.0))
      f |= dry;
    if (c.offshore_percent && *c.offshore_percent > 50.0)
      f |= mostly_offshore;
    if (s.shoreward_bearing && s.travel_bearing && c.valid_steps > 0 &&
        bearing_difference(*s.shoreward_bearing, *s.travel_bearing) > contour_tolerance_degrees)
      f |= against_contours;
    if (s.depth > 0.0 && ((closure_depth && *closure_depth > 0.0 &&
                           s.depth > closure_depth_factor * *closure_depth) ||
                          (s.dry_distance && s.depth > steepest_plausible_slope * *s.dry_distance)))
      f |= implausible_depth;
    if (c.bad_steps > 0)
      f |= bad_values;
    if (c.steep)
      f |= steep;
    if (c.steps == 0)
      f |= no_steps;
    flags[p] = f;
  }
  return flags;
}

}  // namespace report
