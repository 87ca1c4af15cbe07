// The run report's flags and run checks on a small coast built here, with one
// set-up mistake planted per case: each must raise its flag or check by name,
// and the coast without a mistake must raise nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/support.h"

namespace {

using testing_support::RunResult;
using testing_support::ScratchDir;

// A straight coast: a wave grid of 40 x 20 cells of 10 m turned 65 degrees
// counter-clockwise from east, so its i axis (the coast) bears 25 degrees,
// north-north-east. Rows j <= 2 are land (-1 m); seaward the bed falls 1 in
// 25 from the waterline at y = 20 m: row 10 (y = 95 m) is 3 m deep and 80 m
// from the nearest dry cell centre (y = 15 m), a slope of 1:27. Seven stations
// on row 10 at x = 25, 75, ..., 325 m. The Dunelot axis runs along the
// waterline from the grid point (0, 20): on the map (-20 sin 65, 20 cos 65)
// = (-18.126, 8.452), bearing 25, 40 cells of 10 m; each station lies x m
// along it and 75 m on its sea side, in cell x / 10 + 1. A direction of 270 in
// the wave grid's frame comes from its +j side, the sea: shore-normal waves.
struct Coast {
  std::string azimuth = "25.0";
  double x0 = -18.126, y0 = 8.452;
  double depth_factor = 1.0;
  std::vector<int> station_i = {3, 8, 13, 18, 23, 28, 33};
  std::vector<int> station_j = {10, 10, 10, 10, 10, 10, 10};
  std::vector<std::string> direction = {"270.0", "265.0", "275.0", "270.0", "268.0", "272.0"};
  std::vector<std::string> height = {"1.0", "1.2", "0.8", "1.5", "1.1", "0.9"};
  std::vector<std::string> period = {"8.0", "9.0", "7.0", "10.0", "8.5", "7.5"};
  int planted_station = -1;  // station (from 0) whose series takes the plants below
  std::vector<std::string> planted_direction, planted_height, planted_period;
  int cells = 40;
  std::string extra_control;
};

RunResult run_coast(const ScratchDir& dir, const Coast& c) {
  dir.write("c.sim", "coast 0.0 0.0 65.0\n");
  dir.write("c.std", "! coast\n       " + std::to_string(c.station_i.size()) + "   !kout\n");
  std::string dep = "40 20 10.0 10.0\n";
  for (int j = 20; j >= 1; --j) {
    for (int i = 1; i <= 40; ++i) {
      const double y = 10.0 * j - 5.0;
      const double depth = j <= 2 ? -1.0 : (y - 20.0) / 25.0 * c.depth_factor;
      char field[20];
      std::snprintf(field, sizeof field, "%13.6f", depth);
      dep += field;
      if (i % 5 == 0)
        dep += "\n";
    }
  }
  dir.write("c.dep", dep);
  std::string sel;
  int record = 0;
  for (std::size_t e = 0; e < c.direction.size(); ++e) {
    for (std::size_t p = 0; p < c.station_i.size(); ++p) {
      const bool planted = static_cast<int>(p) == c.planted_station;
      const auto pick = [&](const std::vector<std::string>& base,
                            const std::vector<std::string>& plant) {
        return planted && e < plant.size() && !plant[e].empty() ? plant[e] : base[e];
      };
      sel += std::to_string(++record) + " " + std::to_string(c.station_i[p]) + " " +
             std::to_string(c.station_j[p]) + " " + pick(c.height, c.planted_height) + " " +
             pick(c.period, c.planted_period) + " " + pick(c.direction, c.planted_direction) + "\n";
    }
  }
  dir.write("selhts.out", sel);
  char origin[120];
  std::snprintf(origin, sizeof origin, "X0: %.3f\nY0: %.3f\n", c.x0, c.y0);
  dir.write("quilbar.ctrl",
            "SIM c.sim\nSTD c.std\nSEL selhts.out\nDEP c.dep\nTIM 1.0\n"
            "STA 20120101000000\nFOR Dunelot_Wave_File\nDUN none.dun\n" +
                std::string(origin) + "AZI " + c.azimuth + "\nNX: " + std::to_string(c.cells) +
                "\nDX: 10.0\nREPORT coast.html\n" + c.extra_control);
  return dir.run();
}

// The flags column of each station, in order.
std::vector<std::string> flags_of(const ScratchDir& dir) {
  std::vector<std::string> flags;
  const std::string table = dir.read("coast_stations.csv");
  for (std::size_t at = table.find("\r\n") + 2; at < table.size();) {
    const std::size_t end = table.find("\r\n", at);
    const std::string row = table.substr(at, end - at);
    flags.push_back(row.substr(row.rfind(',') + 1));
    at = end + 2;
  }
  return flags;
}

TEST(report_checks, each_planted_mistake_raises_its_flag_by_name) {
  struct Case {
    const char* mistake;
    std::function<void(Coast&)> plant;
    std::vector<std::string> flags;  // per station; one entry: every station
    std::string run_check;           // a run check that must be raised, or ""
  };
  const std::vector<std::string> none = {""};
  const Case cases[] = {
      {"none", [](Coast&) {}, none, ""},
      // The axis bears 335 instead of 25: it turns 50 degrees off the coast,
      // its land side faces the sea. A station x m along the coast now lies
      // x cos 50 - 75 sin 50 = 0.766 x - 48.2 m across: the first (x = 25)
      // still on the sea side, the others on the land side.
      {"shoreline azimuth with the wrong sign",
       [](Coast& c) { c.azimuth = "-25.0"; },
       {"", "land_side", "land_side", "land_side", "land_side", "land_side", "land_side"},
       "axis_faces_land"},
      // 3 m becomes 9.84 "m" 80 m from dry land: 1:8, steeper than 1:15.
      {"depths in feet", [](Coast& c) { c.depth_factor = 3.2808; }, {"implausible_depth"}, ""},
      {"fill values in the direction column",
       [](Coast& c) {
         c.planted_station = 2;
         c.planted_direction = {"", "9999.0", "", "9999.0"};
       },
       {"", "", "bad_values", "", "", "", ""},
       ""},
      {"fill values in Hs and Tp",
       [](Coast& c) {
         c.planted_station = 4;
         c.planted_height = {"-99.0", "", "-99.0"};
         c.planted_period = {"-99.0", "", "-99.0"};
       },
       {"", "", "", "", "bad_values", "", ""},
       ""},
      // The axis 100 m seaward of the waterline: every station lies 25 m on
      // its land side.
      {"a station on the land side of the axis",
       [](Coast& c) {
         c.x0 -= 100.0 * std::sin(65.0 * M_PI / 180.0);
         c.y0 += 100.0 * std::cos(65.0 * M_PI / 180.0);
       },
       {"land_side"},
       ""},
      // The origin 40 m along: the first station lies 15 m behind it and
      // takes the cell of its mirror position.
      {"a station behind the origin (mirror cell)",
       [](Coast& c) {
         c.x0 += 40.0 * std::sin(25.0 * M_PI / 180.0);
         c.y0 += 40.0 * std::cos(25.0 * M_PI / 180.0);
       },
       {"behind_origin", "", "", "", "", "", ""},
       ""},
      // Directions turned 45 degrees: the waves travel 45 degrees across the
      // depth contours (the tolerance is 35).
      {"directions rotated by 45 degrees",
       [](Coast& c) {
         for (auto& d : c.direction) d = std::to_string(std::stod(d) + 45.0);
       },
       {"against_contours"},
       ""},
      // Row 2 lies landward of the waterline, so on the axis's land side too.
      {"a station on a dry cell",
       [](Coast& c) { c.station_j[3] = 2; },
       {"", "", "", "land_side;dry", "", "", ""},
       ""},
      {"two stations in one cell",
       [](Coast& c) {
         c.station_j[5] = 11;
         c.station_i[5] = 23;
       },
       {"", "", "", "", "shared_cell", "shared_cell", ""},
       ""},
      {"a shoreline grid too short for the last station",
       [](Coast& c) { c.cells = 30; },
       {"", "", "", "", "", "", "no_cell"},
       ""},
      // 5 m at 2 s: L0 = 9.81 x 4 / 2 pi = 6.2 m, steeper than 1/7.
      {"an impossible wave",
       [](Coast& c) {
         c.planted_station = 1;
         c.planted_height = {"", "5.0"};
         c.planted_period = {"", "2.0"};
       },
       {"", "steep", "", "", "", "", ""},
       ""},
      // 90 in the grid's frame comes from its -j side, the land.
      {"waves from the land",
       [](Coast& c) {
         c.planted_station = 6;
         c.planted_direction = {"90.0", "90.0", "90.0", "90.0"};
       },
       // Travelling seaward, they also cross the depth contours.
       {"", "", "", "", "", "", "mostly_offshore;against_contours"},
       ""},
      {"a time step of 0 in a time series", [](Coast& c) { c.extra_control = "TIM 0.0\n"; }, none,
       "zero_time_step"},
      {"a closure depth below a third of the stations' depth",
       [](Coast& c) { c.extra_control = "CLO 1.5\n"; },
       {"implausible_depth"},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mistake);
    Coast coast;
    c.plant(coast);
    ScratchDir dir;
    const RunResult r = run_coast(dir, coast);
    ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
    const std::vector<std::string> got = flags_of(dir);
    ASSERT_EQ(got.size(), coast.station_i.size());
    for (std::size_t p = 0; p < got.size(); ++p)
      EXPECT_EQ(got[p], c.flags.size() == 1 ? c.flags[0] : c.flags[p]) << "station " << p + 1;
    const std::string page = dir.read("coast.html");
    if (c.run_check.empty()) {
      EXPECT_EQ(page.find("</span> the run: "), std::string::npos);
    } else {
      EXPECT_NE(page.find("<span class=\"flag\">" + c.run_check + "</span> the run: "),
                std::string::npos);
    }
  }
}

// Steady state over two periods of 12 steps: percentages that add up to 100
// in each period ask for the whole series (24 steps) in each; adding up to
// 50 they ask for the period's 12.
TEST(report_checks, steady_state_periods_that_ask_for_other_step_counts) {
  struct Case {
    const char* frequencies;
    bool raised;
  };
  const Case cases[] = {{"50.0 25.0\n25.0 25.0\n8.5 16.7\n8.3 16.7\n4.2 8.3\n4.0 8.3\n", true},
                        {"25.0 12.5\n12.5 12.5\n4.2 8.3\n4.2 8.3\n4.1 4.2\n0.0 4.2\n", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frequencies);
    ScratchDir dir;
    dir.copy_from_source("examples/steady_random_case");
    dir.write("beach.fre", c.frequencies);
    const RunResult r = dir.run();
    ASSERT_EQ(r.exit_status, 0) << r.err;
    const std::string page = dir.read("beach_report.html");
    EXPECT_EQ(page.find("<span class=\"flag\">period_steps</span> the run: period 1 asks for 24 "
                        "time steps and has 12") != std::string::npos,
              c.raised);
  }
}

// A station with fill values in Hs and Tp shows the statistics of its valid
// steps only: the heights 1.2, 1.5, 0.9 and 0.8 m of steps 2, 4, 6 and 3
// (steps 1 and 5 filled) have a mean of 1.1 m, never a fill value.
TEST(report_checks, statistics_of_valid_steps_only) {
  Coast coast;
  coast.planted_station = 0;
  coast.planted_height = {"-99.0", "", "", "", "-99.0"};
  coast.planted_period = {"-99.0", "", "", "", "-99.0"};
  ScratchDir dir;
  const RunResult r = run_coast(dir, coast);
  ASSERT_EQ(r.exit_status, 0) << r.err;
  const std::string table = dir.read("coast_stations.csv");
  const std::size_t row = table.find("\r\n1,") + 2;
  const std::string first = table.substr(row, table.find("\r\n", row) - row);
  // hs_mean_m, hs_max_m, tp_mean_s: (9 + 7 + 10 + 7.5) / 4 = 8.375 s.
  EXPECT_NE(first.find(",1.10000,1.50000,8.37500,"), std::string::npos) << first;
  EXPECT_TRUE(first.ends_with(",2,bad_values")) << first;
}

}  // namespace

namespace {

// The numbers of the first match of `pattern` in the page, in order.
std::vector<double> numbers_of(const std::string& page, const std::string& pattern) {
  std::vector<double> values;
  const std::size_t at = page.find(pattern);
  if (at == std::string::npos)
    return values;
  const std::size_t end = page.find('>', at);
  const std::string element = page.substr(at, end - at);
  // A number starts after anything but a lower-case letter, a digit or a
  // point: attribute names (x1) and words (marker-end) are passed over, path
  // commands are upper case.
  const auto part_of_word = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.';
  };
  for (std::size_t k = pattern.size() - 1; k + 1 < element.size(); ++k) {
    const char c = element[k + 1];
    const bool starts = (c >= '0' && c <= '9') || (c == '-' && k + 2 < element.size() &&
                                                   element[k + 2] >= '0' && element[k + 2] <= '9');
    if (!starts || part_of_word(element[k]))
      continue;
    std::size_t used = 0;
    values.push_back(std::stod(element.substr(k + 1), &used));
    k += used - 1;
  }
  return values;
}

// One station whose waves all come from 20 degrees to the left of the shore
// normal (290 in the wave grid's frame: world 205 - 290 + 360 = 275, theta
// 295 - 275 = 20), x = 125 m along the coast of bearing 25.
//  - its arrow points where the waves travel: 275 + 180 = 95 degrees;
//  - its rose (seen from the beach looking out) draws them left of up;
//  - its flux runs toward higher cells: above the zero line;
//  - moved 160 m along, the origin leaves it 35 m behind: the mirror line
//    ends 35 m along the axis, as far from the origin as its projection.
TEST(report_checks, pictures_pinned_by_their_numbers) {
  Coast coast;
  coast.station_i = {13};
  coast.station_j = {10};
  coast.direction.assign(6, "290.0");
  ScratchDir dir;
  ASSERT_EQ(run_coast(dir, coast).exit_status, 0);
  const std::string page = dir.read("coast.html");

  const std::vector<double> arrow = numbers_of(page, "<line class=\"arrow\"");
  ASSERT_EQ(arrow.size(), 4u);
  const double bearing = std::atan2(arrow[2] - arrow[0], arrow[1] - arrow[3]) * 180.0 / M_PI;
  EXPECT_NEAR(bearing, 95.0, 0.5);

  const std::size_t rose = page.find("<svg class=\"rose\"");
  ASSERT_NE(rose, std::string::npos);
  const std::vector<double> sector = numbers_of(page.substr(rose), "<path class=\"h2\" d=\"M");
  ASSERT_GE(sector.size(), 4u);
  EXPECT_LT(sector[2], 150.0);  // the outer corner, left of the centre
  EXPECT_LT(sector[3], 150.0);  // and above it

  const std::size_t flux = page.find("<svg class=\"flux\"");
  ASSERT_NE(flux, std::string::npos);
  const std::vector<double> zero = numbers_of(page.substr(flux), "<path class=\"zero\" d=\"M");
  const std::vector<double> point = numbers_of(page.substr(flux), "<circle class=\"st\" cx=\"");
  ASSERT_GE(zero.size(), 2u);
  ASSERT_GE(point.size(), 2u);
  EXPECT_LT(point[1], zero[1]);

  coast.x0 += 160.0 * std::sin(25.0 * M_PI / 180.0);
  coast.y0 += 160.0 * std::cos(25.0 * M_PI / 180.0);
  ScratchDir behind;
  ASSERT_EQ(run_coast(behind, coast).exit_status, 0);
  const std::string mirrored = behind.read("coast.html");
  EXPECT_NE(mirrored.find("takes the cell of its mirror position, cell 4</title>"),
            std::string::npos);
  const std::vector<double> m = numbers_of(mirrored, "<path class=\"mirror\" d=\"M");
  ASSERT_EQ(m.size(), 8u);  // origin, projection behind it, station, mirror position
  EXPECT_NEAR(std::hypot(m[6] - m[0], m[7] - m[1]), std::hypot(m[2] - m[0], m[3] - m[1]), 0.2);
  EXPECT_GT(std::hypot(m[6] - m[2], m[7] - m[3]), std::hypot(m[2] - m[0], m[3] - m[1]));
}

}  // namespace
