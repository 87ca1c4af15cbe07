#include <gtest/gtest.h>

#include <string>

#include "context/console.h"
#include "tests/wavemodel_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/simulation_file.h"

namespace {

using testing_support::crlf_records;
using testing_support::written_text;

TEST(wavemodel_simulation_file, name_then_origin_and_azimuth) {
  struct Case {
    const char* what;
    const char* text;
  };
  const Case cases[] = {
      {"one record, later values ignored", "bay 500000.0 4000000.0 30.0 7 8\nx\n"},
      {"name alone on the first record", "bay\n500000.0 4000000.0 30.0\n"},
      {"a long quoted name", "'a very long name' 500000.0, 4000000.0, 30.0\n"},
      {"numbers over several records", "bay 500000.0\n\n4.0D6\n3.0e1 x\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto f = textio::records_from_text("case.sim", c.text);
    const wavemodel::WaveGridPlacement g = wavemodel::read_simulation_file(f);
    EXPECT_EQ(g.wave_origin_x, 500000.0);
    EXPECT_EQ(g.wave_origin_y, 4000000.0);
    EXPECT_EQ(g.wave_azimuth, 30.0);
  }
}

TEST(wavemodel_simulation_file, unreadable_values_are_fatal) {
  const char* cases[] = {
      "two words 500000.0 4000000.0 30.0\n",  // the second word is read as a number
      "bay 500000.0 4000000.0\n",             // ends before the azimuth
      "",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    auto f = textio::records_from_text("case.sim", text);
    EXPECT_THROW(wavemodel::read_simulation_file(f), textio::IoError);
  }
}

TEST(wavemodel_simulation_file, console_lines) {
  const std::string text = written_text([](textio::OutputFile& out) {
    wavemodel::print_wave_grid_placement(out, {500000.0, 4000000.0, 30.0});
  });
  EXPECT_EQ(text,
            crlf_records({" Wave model grid origin: ", "    X (Easting):     500000.000000000     ",
                          "    Y (Northing):    4000000.00000000     ",
                          " Wave model grid rotation azimuth (deg):    30.0000000000000     ", "",
                          std::string(" ") + context::separator_line, ""}));
}

}  // namespace
