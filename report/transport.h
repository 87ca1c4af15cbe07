// report/transport.h: the longshore sand transport the waves of a station
// would drive: each step's wave brought to breaking over straight, parallel
// depth contours (energy flux conserved toward the shore, Snell's law, shallow
// water at breaking), then three bulk formulas (CERC, Kamphuis 1991, van Rijn
// 2014), summed to yearly rates; the same CERC rate for the shore normal
// turned step by step, whose zero is the station's equilibrium orientation;
// and the initial shoreline change its gradient along the coast implies.
// Every rate is a potential transport: sand everywhere, nothing sheltered.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace report {

inline constexpr double sand_density = 2650.0;                // kg/m^3
inline constexpr double seconds_per_year = 365.25 * 86400.0;  // s
inline constexpr double cerc_coefficient = 0.39;              // K, Hs form

// The sediment and beach the formulas take, with where each value came from
// ("D50", "the *.dun file's BERM: record", "default", ...).
struct SedimentParameters {
  double d50_mm = 0.2, slope = 0.03, breaker_index = 0.72, porosity = 0.4;
  std::optional<double> berm_height, closure_depth;  // m
  std::string d50_source = "default", slope_source = "default", breaker_source = "default",
              porosity_source = "default", berm_source, closure_source;
};

// A wave brought to breaking.
struct Breaking {
  double height = 0.0;     // Hb, m
  double sin_theta = 0.0;  // of the angle to the shore normal at breaking
  double cos_theta = 1.0;
  bool at_station = false;  // too high, or refracted past the normal: it breaks here
};

// The breaking wave of a wave of height hs0 (m) at a station h0 metres deep,
// at an angle to the shore normal given by its sine and cosine (|theta| < 90),
// with phase speed c0 and group velocity cg0 (m/s) there: Hb from the energy
// flux balance hs0^2 cg0 cos0 = Hb^2 cb cos(theta_b), cb = sqrt(g Hb / gamma),
// sin(theta_b) = sin0 cb / c0, by the fixed-point iteration from Hb = hs0
// until a change below 1e-7 Hb (at most 50 steps). It breaks at the station
// (Hb = hs0, theta_b = theta0) when hs0 >= gamma h0, when sin(theta_b)
// reaches 1 on the way, or when the result has Hb / gamma > h0.
Breaking break_wave(double hs0, double sin0, double cos0, double c0, double cg0, double h0,
                    double gamma);

// The CERC formula's factor K rho sqrt(g) / (16 sqrt(gamma) (rho_s - rho)
// (1 - p)): the rate is this times Hb^2.5 sin 2 theta_b.
double cerc_factor(const SedimentParameters& p);

// Bulk volume transport rates (m^3/s, pores included) of a breaking wave of
// period tp; the sign of sin 2 theta_b gives the direction (positive: toward
// increasing alongshore distance).
double cerc_rate(const Breaking& b, const SedimentParameters& p);
double kamphuis_rate(const Breaking& b, double tp, const SedimentParameters& p);
double van_rijn_rate(const Breaking& b, const SedimentParameters& p);

// Yearly rates, m^3/yr: right toward increasing alongshore distance, left
// the other way (negative).
struct YearlyRates {
  double right = 0.0, left = 0.0;
  double net() const { return right + left; }
  double gross() const { return right - left; }
};

// The shore normal turned by -45, -40, ..., 45 degrees for the equilibrium
// curve.
inline constexpr int rotation_count = 19;
inline constexpr double rotation_step = 5.0;
inline constexpr double first_rotation = -45.0;

struct StationTransport {
  std::int64_t transporting_steps = 0;
  double breaking_at_station_percent = 0.0;  // of the transporting steps
  double mean_breaking_height = 0.0;         // over the transporting steps, m
  YearlyRates cerc, kamphuis, van_rijn;
  std::array<double, rotation_count> cerc_net_turned{};  // m^3/yr for each rotation
  std::optional<double> equilibrium_rotation;            // degrees
};

// One station's transport over its output series (Dunelot directions:
// relative to the shore normal), depth h0 at its cell. Bad steps (see
// bad_step) are left out; steps that move no sand (calm, offshore-directed,
// no depth) count as zero in the yearly means.
StationTransport station_transport(std::span<const float> height, std::span<const float> period,
                                   std::span<const float> direction, double h0,
                                   const SedimentParameters& p);

// The rotation where a curve of net rates at first_rotation + k rotation_step
// crosses zero: linear between the first neighbours (in increasing rotation)
// of opposite signs, or a value exactly 0 between values that are not;
// nothing when there is none.
std::optional<double> zero_rotation(const std::array<double, rotation_count>& net);

// The initial shoreline change between two stations along the coast, m/yr:
// -(dQ/dx) / (berm height + closure depth), with Q the CERC net rates
// (m^3/yr) at alongshore distances x (m). Nothing for an interval of no
// length or without both heights.
std::optional<double> shoreline_change_rate(double q0, double x0, double q1, double x1,
                                            const SedimentParameters& p);

}  // namespace report
