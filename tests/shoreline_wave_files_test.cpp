#include <gtest/gtest.h>

#include <string>

#include "shoreline/wave_files.h"
#include "tests/shoreline_test_support.h"

namespace {

using shoreline_test::CapturedConsole;
using shoreline_test::InScratchDir;
using shoreline_test::small_context;
using testing_support::crlf_records;

TEST(wave_file_name, at_least_three_digits_and_as_many_as_needed) {
  struct Case {
    int station;
    const char* name;
  };
  const Case cases[] = {
      {1, "OutputStationKRV_wave001.wave"},      {7, "OutputStationKRV_wave007.wave"},
      {42, "OutputStationKRV_wave042.wave"},     {150, "OutputStationKRV_wave150.wave"},
      {999, "OutputStationKRV_wave999.wave"},    {1000, "OutputStationKRV_wave1000.wave"},
      {12345, "OutputStationKRV_wave12345.wave"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.station);
    EXPECT_EQ(shoreline::wave_file_name(c.station), c.name);
  }
}

TEST(write_wave_records, date_time_and_the_three_values_of_each_step) {
  auto ctx = small_context(2, 3);
  ctx.out_direction(1, 1) = -180.0f;
  ctx.out_height(2, 1) = 0.0f;
  // Row j shows at step j, whatever step_slot holds.
  EXPECT_EQ(testing_support::written_text(
                [&](textio::OutputFile& out) { shoreline::write_wave_records(out, ctx, 1); }),
            crlf_records({" 20120315   0600   2.000000       8.000000       20.00000    ",
                          " 20120315   0630   2.500000       9.000000      -180.0000    ",
                          " 20120315   0700  0.0000000E+00   10.00000       22.00000    "}));
}

TEST(write_wave_records, no_step_gives_an_empty_file) {
  auto ctx = small_context(2, 0);
  EXPECT_EQ(testing_support::written_text(
                [&](textio::OutputFile& out) { shoreline::write_wave_records(out, ctx, 0); }),
            "");
}

TEST(write_wave_files, one_file_per_station_each_announced) {
  InScratchDir here;
  here.dir.write("OutputStationKRV_wave002.wave",
                 "an earlier run's output, longer than the new\r\n");
  auto ctx = small_context(2, 1);
  CapturedConsole console(ctx);
  shoreline::write_wave_files(ctx);
  textio::commit_outputs(ctx.outputs);
  EXPECT_EQ(console.text(),
            crlf_records({" Writing output *.wave file: OutputStationKRV_wave001.wave",
                          " Writing output *.wave file: OutputStationKRV_wave002.wave"}));
  EXPECT_EQ(here.dir.read("OutputStationKRV_wave001.wave"),
            crlf_records({" 20120315   0600   1.000000       8.000000       10.00000    "}));
  EXPECT_EQ(here.dir.read("OutputStationKRV_wave002.wave"),
            crlf_records({" 20120315   0600   2.000000       8.000000       20.00000    "}));
}

TEST(write_wave_files, no_station_no_file) {
  InScratchDir here;
  auto ctx = small_context(0, 3);
  CapturedConsole console(ctx);
  shoreline::write_wave_files(ctx);
  textio::commit_outputs(ctx.outputs);
  EXPECT_EQ(console.text(), "");
  EXPECT_FALSE(here.dir.exists("OutputStationKRV_wave001.wave"));
}

}  // namespace
