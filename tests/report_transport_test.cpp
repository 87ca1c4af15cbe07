// The run report's sand transport: each formula against a value worked by
// hand, the breaking solve against its balance and the plain fixed-point
// iteration, signs, the equilibrium rotation, the shoreline change, and the
// transport table of the coast_year example whole.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "report/transport.h"
#include "report/wave_physics.h"
#include "tests/support.h"

namespace {

using report::Breaking;
using report::SedimentParameters;

// Hb = 1 m breaking at 15 degrees: sin 2 theta_b = 0.5; defaults D50 0.2 mm,
// tan beta 0.03, gamma 0.72, porosity 0.4; Tp 8 s.
//  CERC: 0.39 x 1025 x 3.13209 / (16 x 0.848528 x 1625 x 0.6) = 0.0945871;
//        x 1^2.5 x 0.5 = 0.0472936 m3/s.
//  Kamphuis: 2.27 x 1 x 22.6274 x 0.0720843 x 8.40896 x 0.5^0.6 (0.659754)
//        / (2650 x 0.6) = 0.0129190 m3/s.
//  van Rijn: 0.00018 x 2650 x 3.13209 x 0.245951 x 165.723 x 1 x 0.5
//        / (2650 x 0.6) = 0.0191494 m3/s.
TEST(sand_transport, formulas_worked_by_hand) {
  const SedimentParameters p;
  const double theta = 15.0 * report::degree;
  const Breaking b{1.0, std::sin(theta), std::cos(theta), false};
  EXPECT_NEAR(report::cerc_rate(b, p), 0.0472936, 1e-7);
  EXPECT_NEAR(report::kamphuis_rate(b, 8.0, p), 0.0129190, 1e-7);
  EXPECT_NEAR(report::van_rijn_rate(b, p), 0.0191494, 1e-7);
  // The other way along the coast, the same amounts.
  const Breaking mirrored{1.0, -std::sin(theta), std::cos(theta), false};
  EXPECT_DOUBLE_EQ(report::cerc_rate(mirrored, p), -report::cerc_rate(b, p));
  EXPECT_DOUBLE_EQ(report::kamphuis_rate(mirrored, 8.0, p), -report::kamphuis_rate(b, 8.0, p));
}

// Hb from Hb <- (Hs0^2 Cg0 cos0 / (sqrt(g / gamma) cos(theta_b(Hb))))^(2/5),
// as written, for comparison.
double fixed_point(double hs0, double sin0, double cos0, double c0, double cg0, double gamma) {
  double hb = hs0;
  for (int n = 0; n < 50; ++n) {
    const double s = sin0 * std::sqrt(report::gravity * hb / gamma) / c0;
    const double next = std::pow(
        hs0 * hs0 * cg0 * cos0 / (std::sqrt(report::gravity / gamma) * std::sqrt(1.0 - s * s)),
        0.4);
    const bool settled = std::abs(next - hb) < 1e-7 * hb;
    hb = next;
    if (settled)
      break;
  }
  return hb;
}

TEST(sand_transport, breaking_solve) {
  const double gamma = 0.72;
  struct Case {
    double hs0, tp, theta, h0;
  };
  const Case cases[] = {{1.0, 8.0, 20.0, 8.0},  {0.5, 5.0, 45.0, 6.0}, {2.0, 12.0, -10.0, 10.0},
                        {1.5, 10.0, 70.0, 4.0}, {0.2, 3.0, 5.0, 2.0},  {1.0, 14.0, 30.0, 20.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hs0) + " m, " + std::to_string(c.theta) + " deg");
    const auto speeds = report::wave_speeds(c.tp, c.h0);
    ASSERT_TRUE(speeds.has_value());
    const double sin0 = std::sin(c.theta * report::degree),
                 cos0 = std::cos(c.theta * report::degree);
    const Breaking b =
        report::break_wave(c.hs0, sin0, cos0, speeds->phase, speeds->group, c.h0, gamma);
    ASSERT_FALSE(b.at_station);
    // The energy flux toward the shore is the same at breaking, and Snell's
    // law holds with the shallow-water speed there.
    const double cb = std::sqrt(report::gravity * b.height / gamma);
    EXPECT_NEAR(b.height * b.height * cb * b.cos_theta / (c.hs0 * c.hs0 * speeds->group * cos0),
                1.0, 1e-9);
    EXPECT_NEAR(b.sin_theta / cb, sin0 / speeds->phase, 1e-12);
    EXPECT_NEAR(b.height / fixed_point(c.hs0, sin0, cos0, speeds->phase, speeds->group, gamma), 1.0,
                1e-6);
  }
  // Already breaking: Hs0 >= gamma h0 breaks at the station as it comes.
  const auto shallow = report::wave_speeds(8.0, 5.0);
  const Breaking here =
      report::break_wave(4.0, 0.5, std::sqrt(0.75), shallow->phase, shallow->group, 5.0, gamma);
  EXPECT_TRUE(here.at_station);
  EXPECT_EQ(here.height, 4.0);
  EXPECT_EQ(here.sin_theta, 0.5);
  // Straight onshore: no longshore transport.
  const Breaking normal =
      report::break_wave(1.0, 0.0, 1.0, shallow->phase, shallow->group, 5.0, gamma);
  EXPECT_EQ(report::cerc_rate(normal, SedimentParameters{}), 0.0);
}

// A climate and its mirror image (every direction negated) give mirrored
// rates; a climate of +20 and -20 degrees in turn moves sand both ways
// equally, and its equilibrium rotation is 0.
TEST(sand_transport, signs_and_the_equilibrium_rotation) {
  const std::vector<float> h = {1.0f, 1.5f, 0.8f, 1.2f}, t = {8.0f, 9.0f, 7.0f, 10.0f};
  const std::vector<float> d = {20.0f, 35.0f, -10.0f, 25.0f},
                           mirrored = {-20.0f, -35.0f, 10.0f, -25.0f};
  const SedimentParameters p;
  const auto a = report::station_transport(h, t, d, 6.0, p);
  const auto b = report::station_transport(h, t, mirrored, 6.0, p);
  EXPECT_EQ(a.transporting_steps, 4);
  EXPECT_GT(a.cerc.net(), 0.0);
  EXPECT_NEAR(b.cerc.right, -a.cerc.left, 1e-9 * a.cerc.gross());
  EXPECT_NEAR(b.cerc.net(), -a.cerc.net(), 1e-9 * a.cerc.gross());
  EXPECT_NEAR(b.kamphuis.net(), -a.kamphuis.net(), 1e-9 * a.kamphuis.gross());
  EXPECT_NEAR(b.van_rijn.net(), -a.van_rijn.net(), 1e-9 * a.van_rijn.gross());
  ASSERT_TRUE(a.equilibrium_rotation && b.equilibrium_rotation);
  EXPECT_GT(*a.equilibrium_rotation, 0.0);  // turn the shore toward the waves
  EXPECT_NEAR(*b.equilibrium_rotation, -*a.equilibrium_rotation, 1e-3);

  const std::vector<float> both = {20.0f, -20.0f, 20.0f, -20.0f}, same_h(4, 1.0f), same_t(4, 8.0f);
  const auto symmetric = report::station_transport(same_h, same_t, both, 6.0, p);
  EXPECT_NEAR(symmetric.cerc.net(), 0.0, 1e-9 * symmetric.cerc.gross());
  ASSERT_TRUE(symmetric.equilibrium_rotation.has_value());
  EXPECT_NEAR(*symmetric.equilibrium_rotation, 0.0, 1e-9);

  // Calm and offshore-directed steps move nothing: no rotation either.
  const std::vector<float> calm(4, 0.0f), off(4, 120.0f);
  EXPECT_FALSE(report::station_transport(calm, calm, d, 6.0, p).equilibrium_rotation);
  EXPECT_EQ(report::station_transport(h, t, off, 6.0, p).transporting_steps, 0);
}

// Transport growing along the coast takes sand away: 100 to 200 m3/yr over
// 100 m with a berm of 2 m and a closure depth of 8 m is -(1 / 10) m/yr.
TEST(sand_transport, shoreline_change) {
  SedimentParameters p;
  EXPECT_FALSE(report::shoreline_change_rate(100.0, 0.0, 200.0, 100.0, p));  // no heights
  p.berm_height = 2.0;
  p.closure_depth = 8.0;
  EXPECT_NEAR(*report::shoreline_change_rate(100.0, 0.0, 200.0, 100.0, p), -0.1, 1e-12);
  EXPECT_NEAR(*report::shoreline_change_rate(200.0, 0.0, 100.0, 100.0, p), 0.1, 1e-12);
  EXPECT_FALSE(report::shoreline_change_rate(100.0, 50.0, 200.0, 50.0, p));  // no length
}

// The coast_year example's transport table, whole: a year of hourly waves at
// 16 stations along a coast with a headland (cells 35 to 56, stations 5 to
// 8), where the transport turns round.
TEST(sand_transport, table_of_the_coast_year_example) {
  testing_support::ScratchDir dir;
  dir.copy_from_source("examples/coast_year");
  const auto r = dir.run();
  ASSERT_EQ(r.exit_status, 0) << r.err;
  EXPECT_EQ(
      dir.read("coast_report_transport.csv"),
      testing_support::read_source_file("tests/golden/coast_year/coast_report_transport.csv"));
}

}  // namespace
