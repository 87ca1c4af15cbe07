#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "context/run_context.h"
#include "tests/wavemodel_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/depth_grid.h"

namespace {

using testing_support::crlf_records;
using testing_support::written_text;
using wavemodel_testing::at_column;

// A record of 13-column fields.
std::string fields(std::initializer_list<const char*> values) {
  std::string r;
  for (const char* v : values) {
    const std::string s(v);
    r += std::string(13 - s.size(), ' ') + s;
  }
  return r + "\n";
}

wavemodel::DepthGrid grid_of(const std::string& text) {
  auto f = textio::records_from_text("case.dep", text);
  auto g = wavemodel::read_depth_file(f);
  EXPECT_TRUE(g.has_value());
  return g ? std::move(*g) : wavemodel::DepthGrid{};
}

TEST(wavemodel_depth_grid, header_values_from_the_first_150_columns) {
  struct Case {
    const char* what;
    std::string record;
    std::int32_t ni, nj;
    float size, flag;
  };
  const Case cases[] = {
      {"four values", "120 80 25.0 25.0", 120, 80, 25.0f, 25.0f},
      {"commas", "120, 80, 30.0, 999", 120, 80, 30.0f, 999.0f},
      {"three values", "120 80 25.0", 120, 80, 25.0f, 0.0f},
      {"a malformed value stops the read", "120 80 x 5.0", 120, 80, 0.0f, 0.0f},
      {"a real grid size is no integer", "12.5 80 25.0 1.0", 0, 0, 0.0f, 0.0f},
      {"a value after column 150 is not seen", "120 80 25.0" + at_column(140, "999"), 120, 80,
       25.0f, 0.0f},
      {"a value ending in column 150 is seen", "120 80 25.0" + at_column(137, "999"), 120, 80,
       25.0f, 999.0f},
      {"an empty record", "", 0, 0, 0.0f, 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const wavemodel::DepthHeader h = wavemodel::read_depth_header(c.record);
    EXPECT_EQ(h.grid_ni, c.ni);
    EXPECT_EQ(h.grid_nj, c.nj);
    EXPECT_EQ(h.grid_cell_size, c.size);
    EXPECT_EQ(h.grid_spacing_flag, c.flag);
  }
}

TEST(wavemodel_depth_grid, rows_of_seven_take_two_records_each) {
  const std::string text = "7 2 25.0 50.0\n" + fields({"1.0", "2.0", "3.0", "4.0", "5.0"}) +
                           fields({"6.0", "7.0"}) +
                           fields({"11.0", "12.0", "13.0", "14.0", "15.0"}) +
                           fields({"16.0", "17.0"}) + "trailing records are not read\n";
  const auto g = grid_of(text);
  ASSERT_EQ(g.depth_grid.rows, 7);
  ASSERT_EQ(g.depth_grid.columns, 2);
  for (std::int32_t i = 0; i < 7; ++i) {
    EXPECT_EQ(g.depth_grid(i, 0), static_cast<float>(i + 1));
    EXPECT_EQ(g.depth_grid(i, 1), static_cast<float>(i + 11));
  }
  // Any flag but 999 gives uniform widths of the cell size.
  EXPECT_EQ(g.cell_widths_i, std::vector<float>(7, 25.0f));
  EXPECT_EQ(g.cell_widths_j, std::vector<float>(2, 25.0f));
}

TEST(wavemodel_depth_grid, fixed_field_rules) {
  // Implied decimals, an exponent, blanks inside a field, an all-blank field,
  // and a record that ends after three of its five fields.
  const std::string text = "5 2 10.0 0\n" + fields({"1250", "1.5E+01", "", "-2.5", " 1 2.5"}) +
                           fields({"7.0", "8.0", "9.0"});
  const auto g = grid_of(text);
  const float expected[2][5] = {{0.00125f, 15.0f, 0.0f, -2.5f, 12.5f},
                                {7.0f, 8.0f, 9.0f, 0.0f, 0.0f}};
  for (std::int32_t k = 0; k < 2; ++k) {
    for (std::int32_t i = 0; i < 5; ++i) EXPECT_EQ(g.depth_grid(i, k), expected[k][i]);
  }
}

TEST(wavemodel_depth_grid, listed_widths_follow_the_depths_when_flagged) {
  const std::string text = "7 1 30.0 999\n" + fields({"1", "2", "3", "4", "5"}) +
                           fields({"6", "7"}) + fields({"10.0", "11.0", "12.0", "13.0", "14.0"}) +
                           fields({"15.0", "16.0"}) + fields({"40.0"});
  const auto g = grid_of(text);
  EXPECT_EQ(g.cell_widths_i, (std::vector<float>{10.0f, 11.0f, 12.0f, 13.0f, 14.0f, 15.0f, 16.0f}));
  EXPECT_EQ(g.cell_widths_j, std::vector<float>{40.0f});

  // 999 in a field with a fraction is still 999; 999.5 is not the flag.
  EXPECT_EQ(grid_of("1 1 30.0 999.000\n" + fields({"1.0"}) + fields({"5.0"}) + fields({"6.0"}))
                .cell_widths_j,
            std::vector<float>{6.0f});
  EXPECT_EQ(grid_of("1 1 30.0 999.5\n" + fields({"1.0"})).cell_widths_j, std::vector<float>{30.0f});
}

TEST(wavemodel_depth_grid, empty_sizes_read_no_depth) {
  // No column: the rows take no record, and the widths along j come next.
  const auto g = grid_of("0 3 25.0 999\n" + fields({"1.0", "2.0", "3.0"}));
  EXPECT_TRUE(g.depth_grid.values.empty());
  EXPECT_TRUE(g.cell_widths_i.empty());
  EXPECT_EQ(g.cell_widths_j, (std::vector<float>{1.0f, 2.0f, 3.0f}));
  EXPECT_TRUE(grid_of("-4 -2\n").depth_grid.values.empty());
}

TEST(wavemodel_depth_grid, missing_or_unreadable_values_are_fatal) {
  const std::string cases[] = {
      "5 2 25.0 0\n" + fields({"1", "2", "3", "4", "5"}),  // the second row is missing
      "5 1 25.0 999\n" + fields({"1", "2", "3", "4", "5"}) + fields({"1", "1", "1", "1", "1"}),
      "2 1 25.0 0\n" + fields({"1.0", "deep"}),
  };
  for (const auto& text : cases) {
    SCOPED_TRACE(text);
    auto f = textio::records_from_text("case.dep", text);
    EXPECT_THROW(wavemodel::read_depth_file(f), textio::IoError);
  }
}

TEST(wavemodel_depth_grid, empty_file) {
  auto f = textio::records_from_text("case.dep", "");
  EXPECT_FALSE(wavemodel::read_depth_file(f).has_value());

  context::Status status = context::Status::ok;
  const std::string text = written_text([&](textio::OutputFile& out) {
    status = wavemodel::report_empty_depth_file(out, "case.dep   ");
  });
  EXPECT_EQ(status, context::Status::error_stop);
  EXPECT_EQ(text, crlf_records({" ERROR: Input *.dep file specified as: \"case.dep\" is empty!"}));
}

TEST(wavemodel_depth_grid, station_depth_turns_the_row_order) {
  // Rows are stored as in the file, from j = grid_nj down to 1.
  context::RunContext ctx;
  ctx.grid_ni = 3;
  ctx.grid_nj = 2;
  context::create_table(ctx.depth_grid, 3, 2, 0.0f);
  for (std::int32_t i = 0; i < 3; ++i) {
    ctx.depth_grid(i, 0) = 10.0f + static_cast<float>(i);  // file row 1: j = 2
    ctx.depth_grid(i, 1) = 20.0f + static_cast<float>(i);  // file row 2: j = 1
  }
  ctx.station_i = {1, 3, 2};
  ctx.station_j = {1, 2, 2};
  EXPECT_EQ(wavemodel::station_depth(ctx, 0), 20.0f);
  EXPECT_EQ(wavemodel::station_depth(ctx, 1), 12.0f);
  EXPECT_EQ(wavemodel::station_depth(ctx, 2), 11.0f);
}

}  // namespace
