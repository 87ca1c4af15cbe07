// Linear wave theory of the run report, against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "report/wave_physics.h"

namespace {

// With w = 2 pi / T, the dispersion relation w^2 = g k tanh(kd) reads
// x tanh(x) = w^2 d / g for x = kd; n = (1 + 2x / sinh 2x) / 2, Cg = n w / k.
//  - T 10 s, d 1000 m: deep water, L0 = g T^2 / 2 pi = 9.81 x 100 / 6.283185
//    = 156.131 m, k = 2 pi / L0 = 0.0402430, n = 1/2, Cg = L0 / T / 2 = 7.80655.
//  - T 10 s, d 1 m: w = 0.628319, w^2 d / g = 0.394784 / 9.81 = 0.0402430;
//    x = 0.201962
//    (tanh x = 0.199260, x tanh x = 0.0402430), k = 0.201962, C = w / k =
//    3.11107 (near the shallow limit sqrt(g d) = 3.132), n = 0.986658,
//    Cg = 3.06956.
//  - T 8 s, d 10 m: w^2 d / g = 0.628789; x = 0.886224 (tanh x = 0.709524),
//    k = 0.0886224, L = 70.898 m, C = 8.86229, sinh 2x = 2.85, n = 0.810122,
//    Cg = 7.17954.
// The solver and the group velocity against bisection on y tanh(y) = x, over
// shallow to deep water.
TEST(wave_physics, wave_number_within_1e_9_everywhere) {
  const double period = 10.0, w = 2.0 * M_PI / period;
  for (double x = 1e-6; x < 1e4; x *= 1.07) {
    double low = 0.0, high = x + 1.0;
    for (int k = 0; k < 200; ++k) {
      const double mid = (low + high) / 2;
      (mid * std::tanh(mid) < x ? low : high) = mid;
    }
    const double depth = x * report::gravity / (w * w);
    const auto k = report::wave_number(period, depth);
    ASSERT_TRUE(k.has_value());
    EXPECT_NEAR(*k * depth, low, 1e-9 * low) << "x " << x;
    const double cg = w * depth / low * (1.0 + 2.0 * low / std::sinh(2.0 * low)) / 2.0;
    // Cg carries the error of k, a few times over near kd = 2.
    EXPECT_NEAR(*report::group_velocity(period, depth), cg, 5e-9 * cg) << "x " << x;
  }
}

TEST(wave_physics, dispersion_and_group_velocity) {
  struct Case {
    double period, depth, k, cg;
  };
  const Case cases[] = {
      {10.0, 1000.0, 0.0402430, 7.80655},
      {10.0, 1.0, 0.201962, 3.06956},
      {8.0, 10.0, 0.0886224, 7.17954},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.depth);
    const auto k = report::wave_number(c.period, c.depth);
    ASSERT_TRUE(k.has_value());
    EXPECT_NEAR(*k, c.k, 1e-6 * c.k);
    const double w = 2.0 * M_PI / c.period;
    EXPECT_NEAR(w * w, report::gravity * *k * std::tanh(*k * c.depth), 1e-9 * w * w);
    EXPECT_NEAR(*report::group_velocity(c.period, c.depth), c.cg, 1e-5 * c.cg);
  }
  for (const auto& [period, depth] : {std::pair{0.0, 10.0}, {8.0, 0.0}, {-8.0, 10.0}, {8.0, -1.0}})
    EXPECT_EQ(report::wave_number(period, depth), std::nullopt) << period << " " << depth;
}

// Hs 2 m, Tp 8 s, depth 10 m: E = 1025 x 9.81 x 4 / 16 = 2513.8125 J/m^2,
// Cg = 7.179538 m/s, cos 30 sin 30 = 0.4330127: 7815.02 W/m.
TEST(wave_physics, longshore_energy_flux_sign_and_zero_cases) {
  struct Case {
    double hs, tp, depth, theta;
    std::optional<double> flux;
  };
  const Case cases[] = {
      {2.0, 8.0, 10.0, 30.0, 7815.018},     {2.0, 8.0, 10.0, -30.0, -7815.018},
      {2.0, 8.0, 10.0, 0.0, 0.0},           {2.0, 8.0, 10.0, 90.0, 0.0},
      {2.0, 8.0, 10.0, 120.0, 0.0},         {2.0, 8.0, 10.0, -180.0, 0.0},
      {2.0, 8.0, 0.0, 30.0, std::nullopt},  {-99.0, 8.0, 10.0, 30.0, std::nullopt},
      {2.0, 0.0, 10.0, 30.0, std::nullopt}, {2.0, -999.0, 10.0, 30.0, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hs << " " << c.tp << " " << c.depth << " " << c.theta);
    const auto flux = report::longshore_energy_flux(c.hs, c.tp, c.depth, c.theta);
    ASSERT_EQ(flux.has_value(), c.flux.has_value());
    if (c.flux) {
      EXPECT_NEAR(*flux, *c.flux, 1e-3);
    }
  }
  EXPECT_TRUE(report::offshore_directed(90.5));
  EXPECT_TRUE(report::offshore_directed(-91.0));
  EXPECT_FALSE(report::offshore_directed(90.0));
}

TEST(wave_physics, shore_place_and_rose_sectors) {
  // Azimuth 30: (10, 0) lies 10 sin 30 = 5 along and 10 cos 30 = 8.660254
  // across; azimuth 0: (0, -50) is 50 m behind the origin.
  struct Place {
    double dx, dy, azimuth, along, across;
  };
  const Place places[] = {{10.0, 0.0, 30.0, 5.0, 8.660254},
                          {0.0, -50.0, 0.0, -50.0, 0.0},
                          {100.0, 0.0, 90.0, 100.0, 0.0}};
  for (const auto& p : places) {
    const auto s = report::shore_place(p.dx, p.dy, p.azimuth);
    EXPECT_NEAR(s.alongshore, p.along, 1e-9);
    EXPECT_NEAR(s.cross_shore, p.across, 1e-6);
  }
  // 16 sectors of 22.5 degrees, sector 0 from -11.25 up to 11.25.
  struct Sector {
    double direction;
    int sector;
  };
  const Sector sectors[] = {{0.0, 0},       {11.2499, 0}, {11.25, 1}, {-11.25, 0}, {348.75, 0},
                            {348.7499, 15}, {359.999, 0}, {180.0, 8}, {-90.0, 12}, {720.0, 0}};
  for (const auto& s : sectors)
    EXPECT_EQ(report::rose_sector(s.direction, 16), s.sector) << s.direction;
}

}  // namespace
