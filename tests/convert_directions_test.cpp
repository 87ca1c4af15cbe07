#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "context/run_parameters.h"
#include "convert/directions.h"
#include "convert/station_positions.h"
#include "tests/convert_test_support.h"
#include "tests/table_support.h"

namespace {

context::Table<double> one_column(const std::vector<double>& values) {
  context::Table<double> t;
  context::create_table(t, static_cast<std::int32_t>(values.size()), 1, 0.0);
  for (std::size_t k = 0; k < values.size(); ++k) t.values[k] = values[k];
  return t;
}

TEST(azimuth_from_270, single_correction) {
  struct Case {
    double a, expected;
  };
  const Case cases[] = {{0.0, 270.0},   {300.0, 330.0}, {270.0, 0.0},   {-89.0, 359.0},
                        {-90.0, 360.0}, {629.0, 1.0},   {640.0, -10.0},  // one correction only
                        {700.0, -70.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a);
    EXPECT_DOUBLE_EQ(convert::azimuth_from_270(c.a), c.expected);
  }
}

TEST(azimuth_less_90, single_correction) {
  struct Case {
    double a, expected;
  };
  const Case cases[] = {{330.0, 240.0}, {90.0, 0.0},    {0.0, 270.0},   {-270.0, 0.0},
                        {449.0, 359.0}, {450.0, 360.0}, {-300.0, -30.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a);
    EXPECT_DOUBLE_EQ(convert::azimuth_less_90(c.a), c.expected);
  }
}

TEST(reflect_directions_360, into_full_turn) {
  // Offset 270 (wave azimuth 0): c - direction, then the two corrections.
  struct Case {
    double c, direction, expected;
  };
  const Case cases[] = {
      {270.0, 90.0, 180.0},  {270.0, 270.0, 0.0},
      {270.0, 300.0, 330.0}, {270.0, -90.0, 0.0},
      {330.0, 0.0, 330.0},   {0.0, 180.0, 180.0},
      {0.0, -180.0, 180.0},  {360.0, 0.0, 0.0},
      {0.0, 30.0, 330.0},    {0.0, 540.0, 180.0},
      {0.0, -540.0, 180.0},  {0.0, 600.0, 120.0},  // -600 + 360 = -240, + 360 = 120
      {0.0, 1000.0, -280.0},  // beyond one turn: one correction each, still negative
  };
  std::vector<double> directions;
  for (const auto& c : cases) directions.push_back(c.direction);
  const context::Table<double> source = one_column(directions);
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    SCOPED_TRACE(k);
    context::Table<double> target;
    convert::reflect_directions_360(1, source.rows, source, cases[k].c, target);
    EXPECT_DOUBLE_EQ(target.values[k], cases[k].expected);
  }
}

TEST(reflect_directions_180, into_half_turns) {
  struct Case {
    double c, direction, expected;
  };
  const Case cases[] = {{240.0, 80.0, 160.0},  {240.0, 60.0, 180.0}, {240.0, 420.0, -180.0},
                        {240.0, 50.0, -170.0}, {240.0, 230.0, 10.0}, {0.0, -181.0, -179.0},
                        {0.0, 720.0, -360.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.direction);
    context::Table<double> target;
    convert::reflect_directions_180(1, 1, one_column({c.direction}), c.c, target);
    EXPECT_DOUBLE_EQ(target.values[0], c.expected);
  }
}

TEST(reflect_directions, corrects_only_inside_the_counts) {
  context::Table<double> source;
  context::create_table(source, 2, 2, 0.0);
  source.values = {90.0, -100.0, -100.0, -100.0};  // (e, s): (1,1) (2,1) (1,2) (2,2)
  context::Table<double> target;
  convert::reflect_directions_360(1, 1, source, 270.0, target);
  EXPECT_EQ(testing_support::elements(target), (std::vector<double>{180.0, 370.0, 370.0, 370.0}));
  convert::reflect_directions_180(2, 1, source, 270.0, target);
  EXPECT_EQ(testing_support::elements(target), (std::vector<double>{180.0, 370.0, 10.0, 370.0}));

  // Where the source is the target, the result replaces it alike.
  for (const bool full_turn : {true, false}) {
    context::Table<double> in_place = source;
    if (full_turn) {
      convert::reflect_directions_360(1, 1, in_place, 270.0, in_place);
    } else {
      convert::reflect_directions_180(2, 1, in_place, 270.0, in_place);
    }
    EXPECT_EQ(testing_support::elements(in_place),
              full_turn ? (std::vector<double>{180.0, 370.0, 370.0, 370.0})
                        : (std::vector<double>{180.0, 370.0, 10.0, 370.0}));
    EXPECT_EQ(in_place.rows, 2);
    EXPECT_EQ(in_place.columns, 2);
  }
}

// Phase 10 for one station with the given model directions.
struct DirectionRun {
  context::RunContext ctx;
  std::string console;
};

void run_directions(DirectionRun& r, const char* format, double wave_azimuth, double shore_azimuth,
                    const std::vector<double>& directions) {
  convert_test::CapturedConsole console(r.ctx);
  r.ctx.params.output_format = context::fixed_text(format, context::output_format_length);
  r.ctx.params.shore_azimuth = shore_azimuth;
  r.ctx.wave_azimuth = wave_azimuth;
  r.ctx.station_count = 1;
  r.ctx.input_event_count = static_cast<std::int32_t>(directions.size());
  r.ctx.wave_direction = one_column(directions);
  convert::convert_directions(r.ctx);
  r.console = console.text();
}

TEST(convert_directions, shoreline_azimuth_defaulted_with_warning) {
  DirectionRun r;
  run_directions(r, context::dunelot_format, 30.0, -99999.0, {200.0, 10.0});
  EXPECT_DOUBLE_EQ(r.ctx.params.shore_azimuth, 330.0);
  EXPECT_DOUBLE_EQ(r.ctx.world_offset, 240.0);
  EXPECT_DOUBLE_EQ(r.ctx.shore_offset, 240.0);
  // World directions 40 and 230, then relative to the shoreline:
  EXPECT_EQ(testing_support::elements(r.ctx.selected_direction),
            (std::vector<double>{-160.0, 10.0}));
  EXPECT_EQ(r.ctx.selected_direction.rows, 2);
  EXPECT_EQ(r.ctx.selected_direction.columns, 1);
  EXPECT_EQ(r.console, testing_support::crlf_records(
                           {" WARNING: No Dunelot Azimuth specified in ctrl file!",
                            "      Setting Dunelot Grid Azimuth to correspond to ",
                            "      Input KRV-Wave Grid Azimuth: " + std::string(3, ' ') +
                                "30.0000000000000" + std::string(5, ' '),
                            "      New Dunelot Grid Azimuth: " + std::string(3, ' ') +
                                "330.000000000000" + std::string(5, ' '),
                            "", "  ****************************************************** ", ""}));
}

TEST(convert_directions, azimuth_threshold) {
  struct Case {
    double given, used;
    bool warned;
  };
  const Case cases[] = {{-9999.0, 330.0, true},
                        {-10000.0, 330.0, true},
                        {-9998.9, -9998.9, false},
                        {45.0, 45.0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    DirectionRun r;
    run_directions(r, context::dunelot_format, 30.0, c.given, {200.0});
    EXPECT_DOUBLE_EQ(r.ctx.params.shore_azimuth, c.used);
    EXPECT_EQ(!r.console.empty(), c.warned);
  }
}

TEST(convert_directions, map_output_keeps_world_directions_silently) {
  for (const char* format : {context::map_format, "Something_Else"}) {
    SCOPED_TRACE(format);
    DirectionRun r;
    run_directions(r, format, 0.0, -99999.0, {90.0, 270.0, 300.0, -90.0});
    EXPECT_TRUE(r.console.empty());
    EXPECT_DOUBLE_EQ(r.ctx.params.shore_azimuth, -99999.0);
    EXPECT_EQ(testing_support::elements(r.ctx.selected_direction),
              (std::vector<double>{180.0, 0.0, 330.0, 0.0}));
  }
}

TEST(cell_centre, four_byte_sums) {
  const std::vector<float> widths = {10.0f, 20.0f, 0.1f, 0.2f};
  const std::vector<float> sums = convert::width_prefix_sums(widths);
  struct Case {
    std::int32_t cell;
    double expected;
  };
  const Case cases[] = {
      {1, 5.0},
      {2, 20.0},
      {3, static_cast<double>(30.0f + 0.5f * 0.1f)},
      {4, static_cast<double>((30.0f + 0.1f) + 0.5f * 0.2f)},
      // Outside the grid: held to its edges, never read beyond the widths.
      {0, 0.0},
      {-2, 0.0},
      {5, static_cast<double>(((30.0f + 0.1f) + 0.2f))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    EXPECT_EQ(convert::cell_centre(sums, widths, c.cell), c.expected);
  }
  // The 4-byte sum differs from the 8-byte one, and the centre keeps it.
  EXPECT_NE(convert::cell_centre(sums, widths, 4), 30.0 + 0.1 + 0.1);
}

TEST(place_stations, rotation_about_the_origin) {
  struct Case {
    double azimuth;
    std::int32_t i, j;
    double x, y;
  };
  // Uniform widths of 10; origin (1000, 2000).
  const Case cases[] = {
      {0.0, 1, 1, 1005.0, 2005.0}, {90.0, 1, 1, 995.0, 2005.0}, {180.0, 1, 1, 995.0, 1995.0},
      {0.0, 3, 2, 1025.0, 2015.0}, {90.0, 3, 2, 985.0, 2025.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.azimuth) + " " + std::to_string(c.i));
    context::RunContext ctx;
    ctx.station_count = 1;
    ctx.station_i = {c.i};
    ctx.station_j = {c.j};
    ctx.cell_widths_i.assign(4, 10.0f);
    ctx.cell_widths_j.assign(4, 10.0f);
    ctx.wave_origin_x = 1000.0;
    ctx.wave_origin_y = 2000.0;
    ctx.wave_azimuth = c.azimuth;
    convert::place_stations(ctx);
    EXPECT_NEAR(ctx.station_x[0], c.x, 1e-9);
    EXPECT_NEAR(ctx.station_y[0], c.y, 1e-9);
    EXPECT_EQ(ctx.station_grid_x[0], 10.0 * c.i - 5.0);
    EXPECT_EQ(ctx.station_grid_y[0], 10.0 * c.j - 5.0);
  }
}

TEST(place_stations, azimuth_ninety_is_exact_at_grid_scale) {
  double cos_a, sin_a;
  convert::azimuth_cos_sin(90.0, cos_a, sin_a);
  const convert::MapPoint p = convert::rotate_to_map(5.0, 5.0, 1000.0, 2000.0, cos_a, sin_a);
  EXPECT_DOUBLE_EQ(p.x, 995.0);
  EXPECT_DOUBLE_EQ(p.y, 2005.0);
}

}  // namespace
