#include "report/transport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "report/station_climate.h"
#include "report/turned_transport.h"
#include "report/wave_physics.h"

namespace report {
namespace {

constexpr int most_iterations = 50;
constexpr double tolerance = 1e-7;

double porosity_factor(const SedimentParameters& p) {
  return 1.0 - p.porosity;
}

// The balance and Snell's law together: with sin(theta_b) = a sqrt(Hb) and
// Hb^2.5 cos(theta_b) = F, v = sin(theta_b) solves v^5 sqrt(1 - v^2) = F a^5
// = P, one equation in one unknown whatever the wave. Its left side grows up
// to v^2 = 5/6 and no further (largest_p): a P beyond that maximum has no breaking point
// before sin(theta_b) would reach 1. Newton's method from P^(1/5) (the root
// without refraction) lands on the same root as the fixed-point iteration
// Hb <- (F / cos(theta_b(Hb)))^0.4 from Hb = hs0, only sooner and closer.

double breaking_sine(double p) {
  // v = t (1 - v^2)^(-1/10) with t = P^(1/5): its series to t^5 starts
  // Newton's method within a part in 1e3 even at large angles.
  const double t = std::pow(p, 0.2), t2 = t * t;
  double v = std::min(t * (1.0 + t2 * (0.1 + 0.075 * t2)), std::sqrt(largest_v2));
  for (int n = 0; n < most_iterations; ++n) {
    const double v2 = v * v, w = std::sqrt(1.0 - v2), v4 = v2 * v2;
    const double step = (v4 * v * w - p) * w / (v4 * (5.0 - 6.0 * v2));
    v = std::min(v - step, std::sqrt(largest_v2));
    if (std::abs(step) < 1e-3 * tolerance * v)
      break;
  }
  return v;
}

}  // namespace

Breaking break_wave(double hs0, double sin0, double cos0, double c0, double cg0, double h0,
                    double gamma) {
  const Breaking here{hs0, sin0, cos0, true};
  if (hs0 >= gamma * h0)
    return here;
  const double root_g_gamma = std::sqrt(gravity / gamma);
  const double flux = hs0 * hs0 * cg0 * cos0 / root_g_gamma;  // Hb^2.5 cos(theta_b)
  const double a = std::abs(sin0) * root_g_gamma / c0;        // sin(theta_b) / sqrt(Hb)
  double hb = 0.0, v = 0.0;
  if (a == 0.0) {
    hb = std::pow(flux, 0.4);
  } else {
    // The iteration's first step already has sin(theta_b) = a sqrt(hs0).
    const double a2 = a * a, a5 = a2 * a2 * a;
    if (a2 * hs0 >= 1.0 || flux * a5 >= largest_p)
      return here;
    v = breaking_sine(flux * a5);
    hb = v * v / a2;
  }
  if (hb / gamma > h0)
    return here;
  return {hb, std::copysign(v, sin0), std::sqrt(1.0 - v * v), false};
}

double cerc_factor(const SedimentParameters& p) {
  return cerc_coefficient * water_density * std::sqrt(gravity) /
         (16.0 * std::sqrt(p.breaker_index) * (sand_density - water_density) * porosity_factor(p));
}

namespace {

// The formulas' factors that depend on the sediment and the beach alone.
struct Coefficients {
  double cerc = 0.0, kamphuis = 0.0, van_rijn = 0.0;
};

Coefficients coefficients(const SedimentParameters& p) {
  const double d50 = p.d50_mm / 1000.0;  // m
  const double bulk = sand_density * porosity_factor(p);
  return {cerc_factor(p), 2.27 * std::pow(p.slope, 0.75) * std::pow(d50, -0.25) / bulk,
          0.00018 * sand_density * std::sqrt(gravity) * std::pow(p.slope, 0.4) *
              std::pow(d50, -0.6) / bulk};
}

double cerc(const Breaking& b, const Coefficients& k) {
  return k.cerc * b.height * b.height * std::sqrt(b.height) * 2.0 * b.sin_theta * b.cos_theta;
}

double kamphuis(const Breaking& b, double tp, const Coefficients& k) {
  const double s = 2.0 * b.sin_theta * b.cos_theta;
  return k.kamphuis * b.height * b.height * tp * std::sqrt(tp) *
         std::copysign(std::pow(std::abs(s), 0.6), s);
}

double van_rijn(const Breaking& b, const Coefficients& k) {
  const double s = 2.0 * b.sin_theta * b.cos_theta;
  return k.van_rijn * std::pow(b.height, 3.1) * s;
}

}  // namespace

double cerc_rate(const Breaking& b, const SedimentParameters& p) {
  return cerc(b, coefficients(p));
}

double kamphuis_rate(const Breaking& b, double tp, const SedimentParameters& p) {
  return kamphuis(b, tp, coefficients(p));
}

double van_rijn_rate(const Breaking& b, const SedimentParameters& p) {
  return van_rijn(b, coefficients(p));
}

namespace {

void add(YearlyRates& r, double q) {
  if (q > 0.0)
    r.right += q;
  else
    r.left += q;
}

void to_yearly(YearlyRates& r, double steps) {
  r.right = r.right / steps * seconds_per_year;
  r.left = r.left / steps * seconds_per_year;
}

}  // namespace

StationTransport station_transport(std::span<const float> height, std::span<const float> period,
                                   std::span<const float> direction, double h0,
                                   const SedimentParameters& p) {
  StationTransport t;
  const std::size_t steps = std::min({height.size(), period.size(), direction.size()});
  std::int64_t valid = 0, at_station = 0;
  double hb_sum = 0.0;
  const Coefficients coef = coefficients(p);
  std::array<double, rotation_count> turned{};
  // The sines and cosines of the rotations, once; the lanes past the last
  // rotation are never reached (cos -2).
  float sin_phi[turned_lanes] = {}, cos_phi[turned_lanes] = {}, q[turned_lanes] = {};
  for (int l = 0; l < turned_lanes; ++l) {
    const double phi = (first_rotation + rotation_step * l) * degree;
    sin_phi[l] = l < rotation_count ? static_cast<float>(std::sin(phi)) : 0.0f;
    cos_phi[l] = l < rotation_count ? static_cast<float>(std::cos(phi)) : -2.0f;
  }
  for (std::size_t s = 0; s < steps; ++s) {
    const double hs = height[s], tp = period[s], theta = direction[s];
    if (bad_step(hs, tp, theta))
      continue;
    ++valid;
    if (!(hs > 0.0) || !(tp > 0.0) || !(h0 > 0.0))
      continue;
    // What does not depend on the direction: the wave at the station.
    const auto speeds = wave_speeds(tp, h0);
    if (!speeds)
      continue;
    const double c0 = speeds->phase, cg0 = speeds->group;
    const double sin0 = std::sin(theta * degree), cos0 = std::cos(theta * degree);
    if (std::abs(theta) < 90.0) {
      const Breaking b = break_wave(hs, sin0, cos0, c0, cg0, h0, p.breaker_index);
      ++t.transporting_steps;
      at_station += b.at_station ? 1 : 0;
      hb_sum += b.height;
      add(t.cerc, cerc(b, coef));
      add(t.kamphuis, kamphuis(b, tp, coef));
      add(t.van_rijn, van_rijn(b, coef));
    }
    // The shore normal turned by phi: theta - phi, by its sine and cosine.
    turned_cerc(hs, sin0, cos0, c0, cg0, h0, p.breaker_index, coef.cerc, sin_phi, cos_phi, q);
    for (int k = 0; k < rotation_count; ++k) turned[k] += q[k];
  }
  if (valid == 0)
    return t;
  const auto n = static_cast<double>(valid);
  to_yearly(t.cerc, n);
  to_yearly(t.kamphuis, n);
  to_yearly(t.van_rijn, n);
  for (int k = 0; k < rotation_count; ++k) t.cerc_net_turned[k] = turned[k] / n * seconds_per_year;
  if (t.transporting_steps > 0) {
    const auto moving = static_cast<double>(t.transporting_steps);
    t.breaking_at_station_percent = 100.0 * static_cast<double>(at_station) / moving;
    t.mean_breaking_height = hb_sum / moving;
    t.equilibrium_rotation = zero_rotation(t.cerc_net_turned);
  }
  return t;
}

std::optional<double> zero_rotation(const std::array<double, rotation_count>& net) {
  for (int k = 0; k < rotation_count; ++k) {
    const double phi = first_rotation + rotation_step * k;
    if (net[k] == 0.0) {
      if (k > 0 && k + 1 < rotation_count && net[k - 1] != 0.0 && net[k + 1] != 0.0)
        return phi;
      continue;
    }
    if (k + 1 < rotation_count && net[k + 1] != 0.0 && (net[k] < 0.0) != (net[k + 1] < 0.0))
      return phi + rotation_step * net[k] / (net[k] - net[k + 1]);
  }
  return std::nullopt;
}

std::optional<double> shoreline_change_rate(double q0, double x0, double q1, double x1,
                                            const SedimentParameters& p) {
  if (!(x1 != x0) || !p.berm_height || !p.closure_depth)
    return std::nullopt;
  const double active = *p.berm_height + *p.closure_depth;
  if (!(active > 0.0))
    return std::nullopt;
  return -((q1 - q0) / (x1 - x0)) / active;
}

}  // namespace report
