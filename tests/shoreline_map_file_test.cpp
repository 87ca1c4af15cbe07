#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shoreline/map_file.h"
#include "shoreline/shoreline_output.h"
#include "tests/shoreline_test_support.h"

namespace {

using shoreline_test::CapturedConsole;
using shoreline_test::InScratchDir;
using shoreline_test::records_of;
using shoreline_test::small_context;
using testing_support::crlf_records;

const std::vector<std::string> header = {
    " MAP VERSION 8",
    " BEGCOV",
    " COVFLDR \"Dunelot_Waves\"",
    " COVNAME \"Dunelot_Waves\"",
    " COVELEV 0.000000",
    " COVID 22188",
    " COVGUID 1681ee40-0b95-4fb6-9e9f-e297f2b8efc6",
    " COVATTS VISIBLE 1",
    " COVATTS ACTIVECOVERAGE Testing",
    " COVATTS PROPERTIES DUNELOT",
    " 1",
};
const std::vector<std::string> trailer = {" ENDCOV", " BEGTS", " LEND"};

std::vector<std::string> map_records(const context::RunContext& ctx) {
  return records_of(testing_support::written_text(
      [&](textio::OutputFile& out) { shoreline::write_map_records(out, ctx); }));
}

TEST(write_map_records, two_stations_three_steps) {
  auto ctx = small_context(2, 3);
  const auto records = map_records(ctx);
  ASSERT_EQ(records.size(), 54u);
  // The second station's block: depth from stored row grid_nj + 1 - j = 1,
  // column 2; row j of the series at step j.
  const std::vector<std::string> station_2 = {
      " Point           2",
      " XY   1100.00000000000        2050.00000000000      0.0",
      " ID           2",
      " WAVEGAGE",
      "   12.00000    ",
      "   8760.000    ",
      " 03/15/2012 06:00:00 AM",
      "   2.000000    ",
      "   8.000000    ",
      "   20.00000    ",
      " 03/15/2012 06:30:00 AM",
      "   2.500000    ",
      "   9.000000    ",
      "   21.00000    ",
      " 03/15/2012 07:00:00 AM",
      "   3.000000    ",
      "   10.00000    ",
      "   22.00000    ",
      " 0",
      " END",
  };
  EXPECT_EQ(std::vector<std::string>(records.begin() + 31, records.begin() + 51), station_2);
  // The first station stands in row 1, so its depth comes from stored row 2.
  EXPECT_EQ(records[11], " Point           1");
  EXPECT_EQ(records[15], "   21.00000    ");
}

TEST(write_map_records, series_length_as_given) {
  auto ctx = small_context(1, 1);
  ctx.params.series_length_hours = 0.5f;
  EXPECT_EQ(map_records(ctx)[16], "  0.5000000    ");
}

TEST(write_map_records, no_station_and_no_step) {
  std::vector<std::string> expected = header;
  expected.insert(expected.end(), trailer.begin(), trailer.end());
  EXPECT_EQ(map_records(small_context(0, 3)), expected);

  const auto records = map_records(small_context(2, 0));
  ASSERT_EQ(records.size(), 11u + 2 * 8 + 3);
  EXPECT_EQ(
      std::vector<std::string>(records.begin() + 19, records.begin() + 27),
      (std::vector<std::string>{
          " Point           2", " XY   1100.00000000000        2050.00000000000      0.0",
          " ID           2", " WAVEGAGE", "   12.00000    ", "   8760.000    ", " 0", " END"}));
}

TEST(write_map_file, replaces_an_earlier_file_and_announces_it) {
  InScratchDir here;
  here.dir.write("waves.map", std::string(100000, 'z'));
  auto ctx = small_context(0, 0);
  ctx.params.map_file = context::fixed_text("waves.map", context::file_name_length);
  CapturedConsole console(ctx);
  shoreline::write_map_file(ctx);
  textio::commit_outputs(ctx.outputs);
  EXPECT_EQ(console.text(), crlf_records({" Writing output *.map file: waves.map"}));
  EXPECT_EQ(records_of(here.dir.read("waves.map")).size(), 14u);
}

}  // namespace
