#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "shoreline/gauge_placement.h"

namespace {

constexpr double x0 = 1000.0, y0 = 2000.0;
constexpr double pi = 3.14159265358979323846;

std::int32_t cell_of(double azimuth, const std::vector<float>& widths, double x, double y,
                     std::int32_t before = 0) {
  const std::vector<double> xs{x}, ys{y};
  std::vector<std::int32_t> cells{before};
  shoreline::place_gauges(x0, y0, azimuth, widths, xs, ys, cells);
  return cells[0];
}

const std::vector<float> ten_cells_of_100(10, 100.0f);

TEST(place_gauges, distances_along_an_east_axis) {
  // Azimuth 90: the axis runs east, so the distance is the Easting offset.
  struct Case {
    double along;
    std::int32_t cell;
  };
  const Case cases[] = {{250.0, 3},  {300.0, 4}, {99.9, 1},   {1000.0, 0}, {1200.0, 0},
                        {100.0, 2},  {0.5, 1},   {999.9, 10}, {900.0, 10}, {-250.0, 3},
                        {-300.0, 4}, {-99.9, 1}, {-1000.0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.along);
    EXPECT_EQ(cell_of(90.0, ten_cells_of_100, x0 + c.along, y0), c.cell);
  }
}

TEST(place_gauges, mirror_positions_and_offsets_across_the_axis) {
  // Along a bearing of 30 degrees at 450 from the origin, in front of it and
  // behind it, and 80 off the axis on either side: always cell 5.
  const double a = 30.0 * pi / 180.0;
  const double along_x = std::sin(a), along_y = std::cos(a);
  const double across_x = std::cos(a), across_y = -std::sin(a);
  for (double d : {450.0, -450.0}) {
    for (double off : {0.0, 80.0, -80.0}) {
      SCOPED_TRACE(d);
      SCOPED_TRACE(off);
      EXPECT_EQ(cell_of(30.0, ten_cells_of_100, x0 + d * along_x + off * across_x,
                        y0 + d * along_y + off * across_y),
                5);
    }
  }
}

TEST(place_gauges, station_due_north_of_the_origin) {
  // dx = 0: the slope is infinite and the station is still placed, at
  // |dy cos(azimuth)|.
  EXPECT_EQ(cell_of(0.0, ten_cells_of_100, x0, y0 + 250.0), 3);
  EXPECT_EQ(cell_of(0.0, ten_cells_of_100, x0, y0 - 650.0), 7);
  EXPECT_EQ(cell_of(60.0, ten_cells_of_100, x0, y0 + 700.0), 4);  // 700 cos 60 = 350
  EXPECT_EQ(cell_of(90.0, ten_cells_of_100, x0, y0 + 700.0), 1);  // across the axis
}

TEST(place_gauges, station_at_the_origin_keeps_its_cell) {
  EXPECT_EQ(cell_of(90.0, ten_cells_of_100, x0, y0), 0);
  EXPECT_EQ(cell_of(37.0, ten_cells_of_100, x0, y0, 0), 0);
  EXPECT_TRUE(std::isnan(shoreline::projected_distance(x0, y0, 37.0, x0, y0)));
}

TEST(place_gauges, one_cell_and_no_cell) {
  const std::vector<float> one{150.0f};
  EXPECT_EQ(cell_of(90.0, one, x0 + 149.0, y0), 1);
  EXPECT_EQ(cell_of(90.0, one, x0 + 150.0, y0), 0);
  EXPECT_EQ(cell_of(90.0, {}, x0 + 10.0, y0), 0);
}

TEST(place_gauges, first_edge_beyond_the_station_decides) {
  // Negative widths make the edges fall; the search still takes the first edge
  // greater than the distance (edges 100, 99, 98, 198).
  const std::vector<float> widths{100.0f, -1.0f, -1.0f, 100.0f};
  EXPECT_EQ(cell_of(90.0, widths, x0 + 99.5, y0), 1);
  EXPECT_EQ(cell_of(90.0, widths, x0 + 150.0, y0), 4);
  EXPECT_EQ(cell_of(90.0, widths, x0 + 198.0, y0), 0);
}

TEST(place_gauges, edges_are_summed_in_eight_bytes) {
  // 0.1f is 0.100000001490116...; ten of them summed in 8 bytes lie just
  // above 1.0, and the station at 1.0000000149 lies in the last cell. A sum
  // in 4 bytes gives 1.00000012, which a station at 1.0000001 would also
  // pass; in 8 bytes it is beyond the last edge.
  const std::vector<float> widths(10, 0.1f);
  EXPECT_EQ(cell_of(90.0, widths, x0 + 1.0, y0), 10);
  EXPECT_EQ(cell_of(90.0, widths, x0 + 1.0000001, y0), 0);
}

TEST(place_gauges, several_stations_fill_their_own_cells) {
  const std::vector<double> xs{x0 + 50.0, x0 + 150.0, x0 + 160.0, x0 + 5000.0};
  const std::vector<double> ys(4, y0);
  std::vector<std::int32_t> cells(4, 0);
  shoreline::place_gauges(x0, y0, 90.0, ten_cells_of_100, xs, ys, cells);
  EXPECT_EQ(cells, (std::vector<std::int32_t>{1, 2, 2, 0}));
}

TEST(projected_distance, equals_the_component_along_the_bearing) {
  struct Case {
    double azimuth, dx, dy;
  };
  const Case cases[] = {{0.0, 30.0, 40.0},     {45.0, -30.0, 40.0}, {90.0, 30.0, -40.0},
                        {135.0, -30.0, -40.0}, {200.0, 12.5, 0.0},  {330.0, 0.0, -7.0},
                        {-20.0, 300.0, 1.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.azimuth);
    const double a = c.azimuth * pi / 180.0;
    const double expected = std::fabs(c.dx * std::sin(a) + c.dy * std::cos(a));
    EXPECT_NEAR(shoreline::projected_distance(x0, y0, c.azimuth, x0 + c.dx, y0 + c.dy), expected,
                1e-9);
  }
}

}  // namespace
