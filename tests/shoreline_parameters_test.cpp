#include "shoreline/shoreline_parameters.h"

#include <gtest/gtest.h>

#include <string>

#include "context/run_context.h"
#include "shoreline/shoreline_output.h"
#include "tests/shoreline_test_support.h"
#include "textio/record_file.h"

namespace {

using context::fixed_text;
using shoreline_test::CapturedConsole;
using shoreline_test::InScratchDir;

// Parameters before the pass: each case says what it expects after it.
context::RunParameters start_parameters() {
  context::RunParameters p;
  p.shore_x0 = 1.0;
  p.shore_y0 = 2.0;
  p.shore_azimuth = -99999.0;
  p.shore_nx = 7;
  p.shore_dx = 3.0;
  p.shdx_file = fixed_text("ctrl.shdx", context::file_name_length);
  return p;
}

TEST(read_dun_parameters, records_and_their_values) {
  struct Case {
    const char* text;
    double x0, y0, azimuth;
    int nx;
    double dx;
    const char* shdx;
  };
  const Case cases[] = {
      {"X0: 512.5", 512.5, 2, -99999, 7, 3, "ctrl.shdx"},
      {"X0:,512.5", 512.5, 2, -99999, 7, 3, "ctrl.shdx"},
      {"X0:  512.5  ! origin", 512.5, 2, -99999, 7, 3, "ctrl.shdx"},
      // The joined token takes the whole text; the value comes from the next record.
      {"X0:512.5\n700.0", 700, 2, -99999, 7, 3, "ctrl.shdx"},
      // ... and when that record starts with a keyword, it fails as a number and
      // its own value is lost with it.
      {"X0:512.5\nY0: 3.0", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {" X0: 5", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"x0: 5", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"! X0: 5\n* Y0: 6", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"Y0: -4.25e3", 1, -4250, -99999, 7, 3, "ctrl.shdx"},
      {"AZIMUTH: 37.5", 1, 2, 37.5, 7, 3, "ctrl.shdx"},
      {"AZI 12", 1, 2, 12, 7, 3, "ctrl.shdx"},
      {"NX: 25", 1, 2, -99999, 25, 3, "ctrl.shdx"},
      {"NX: abc", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"NX: 2.5", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"NX: /", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"NX:", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"NX:\n12\nDX: 50", 1, 2, -99999, 12, 50, "ctrl.shdx"},
      {"NX: 5\nNX: 8", 1, 2, -99999, 8, 3, "ctrl.shdx"},
      {"DX: -1", 1, 2, -99999, 7, -1, "ctrl.shdx"},
      {"DX: 1.5D2", 1, 2, -99999, 7, 150, "ctrl.shdx"},
      {"DX: wide", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"DXF cells.shdx", 1, 2, -99999, 7, 3, "cells.shdx"},
      {"DXFILE: 'my cells.shdx'", 1, 2, -99999, 7, 3, "my cells.shdx"},
      {"NX\nDX 4", 1, 2, -99999, 7, 3, "ctrl.shdx"},
      {"NUMWAVES: 3\nWAVEID: 1 2.0 3 a.wave\n\nNX: 9\r\nDX: 25.0\r\n", 1, 2, -99999, 9, 25,
       "ctrl.shdx"},
      {"", 1, 2, -99999, 7, 3, "ctrl.shdx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto f = textio::records_from_text("beach.dun", c.text);
    context::RunParameters p = start_parameters();
    shoreline::read_dun_parameters(f, p);
    EXPECT_EQ(p.shore_x0, c.x0);
    EXPECT_EQ(p.shore_y0, c.y0);
    EXPECT_EQ(p.shore_azimuth, c.azimuth);
    EXPECT_EQ(p.shore_nx, c.nx);
    EXPECT_EQ(p.shore_dx, c.dx);
    EXPECT_EQ(p.shdx_file, fixed_text(c.shdx, context::file_name_length));
  }
}

const std::string separator = "  ****************************************************** \r\n";
const std::string closing_triple = "\r\n" + separator + "\r\n";

// The whole phase-7 step in a scratch directory, with its console text.
struct PhaseResult {
  context::Status status;
  std::string console;
  std::vector<float> widths;
  context::RunParameters params;
};

PhaseResult run_phase(InScratchDir& here, const context::RunParameters& params) {
  (void)here;
  context::RunContext ctx;
  ctx.params = params;
  CapturedConsole console(ctx);
  PhaseResult r;
  r.status = shoreline::read_shoreline_parameters(ctx);
  r.console = console.text();
  r.widths = ctx.shore_cell_width;
  r.params = ctx.params;
  return r;
}

context::RunParameters with_dun(const char* dun, double dx, int nx) {
  context::RunParameters p;
  p.dun_file = fixed_text(dun, context::file_name_length);
  p.shore_dx = dx;
  p.shore_nx = nx;
  return p;
}

TEST(read_shoreline_parameters, file_values_override_the_control_file) {
  InScratchDir here;
  here.dir.write("beach.dun",
                 "! Dunelot control file\r\nX0: 512.5\r\nY0: 7.0\r\nAZIMUTH: 37.5\r\n"
                 "NX: 3\r\nDX: 0.1\r\nNUMWAVES: 0\r\n");
  const auto r = run_phase(here, with_dun("beach.dun", 50.0, 20));
  EXPECT_EQ(r.status, context::Status::ok);
  EXPECT_EQ(r.console,
            " Reading Dunelot parameters from *.dun file: beach.dun\r\n"
            " Dunelot Grid Origin X-Coord. (Easting):    512.500000000000     \r\n"
            " Dunelot Grid Origin Y-Coord. (Northing):    7.00000000000000     \r\n"
            " Dunelot Grid Azimuth:    37.5000000000000     \r\n"
            " Number of Dunelot Grid Cells (NX):            3\r\n"
            " Dunelot Grid Cell Resolution (DX):   0.100000000000000     \r\n" +
                closing_triple);
  // The width is DX narrowed to 4 bytes.
  EXPECT_EQ(r.widths, std::vector<float>(3, 0.1f));
}

TEST(read_shoreline_parameters, negative_cell_count_stops_too) {
  InScratchDir here;
  const auto r = run_phase(here, with_dun("none.dun", 10.0, -3));
  EXPECT_EQ(r.status, context::Status::error_stop);
  EXPECT_NE(r.console.find(" ERROR: No Input Dunelot Grid Cell Count (NX) Supplied!\r\n"
                           "        Terminating program!!\r\n"),
            std::string::npos);
}

const char* shdx_header = "Cell widths\r\nbeach\r\n2012\r\nmetres\r\n";

TEST(read_shoreline_parameters, widths_from_the_cell_width_file) {
  InScratchDir here;
  here.dir.write("beach.dun", "NX: 12\r\nDX: -1\r\nDXF cells.shdx\r\n");
  std::string shdx = shdx_header;
  shdx += "10 20 30 40 50 60 70 80 90 100\r\n110 120\r\n";
  here.dir.write("cells.shdx", shdx);
  const auto r = run_phase(here, with_dun("beach.dun", 0.0, 0));
  EXPECT_EQ(r.status, context::Status::ok);
  EXPECT_NE(r.console.find(closing_triple + " Loading Dunelot DX *.shdx file: cells.shdx\r\n"),
            std::string::npos);
  EXPECT_EQ(r.widths, (std::vector<float>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}));
}

TEST(read_shoreline_parameters, too_few_cell_widths_stop) {
  struct Case {
    const char* widths;
  };
  // Short file, a bad value, a zero width, a negative one, a slash.
  const Case cases[] = {
      {"1 2 3 4\r\n"}, {"1 2 x 4 5\r\n"}, {"1 2 0 4 5\r\n"}, {"1 2 -3 4 5\r\n"}, {"1 2 /\r\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.widths);
    InScratchDir here;
    here.dir.write("cells.shdx", std::string(shdx_header) + c.widths);
    context::RunParameters p = with_dun("beach.dun", -1.0, 5);
    p.shdx_file = fixed_text("cells.shdx", context::file_name_length);
    const auto r = run_phase(here, p);
    EXPECT_EQ(r.status, context::Status::error_stop);
    const std::string tail =
        " Loading Dunelot DX *.shdx file: cells.shdx\r\n"
        " ERROR: Input *.shdx file specified as: \"cells.shdx\r\n"
        " \" holds too few valid cell widths!\r\n";
    ASSERT_GE(r.console.size(), tail.size());
    EXPECT_EQ(r.console.substr(r.console.size() - tail.size()), tail);
  }
}

TEST(read_shoreline_parameters, cell_width_error_is_one_write) {
  // Three texts in one write, wrapped at 80 columns like any other: a name of
  // five characters fits on one line; longer ones push the last text, then the
  // name itself, onto records of their own.
  struct Case {
    std::string name;
    std::string message;
  };
  const std::string first = " ERROR: Input *.shdx file specified as: \"";
  const std::string last = "\" holds too few valid cell widths!\r\n";
  const std::string long_name(50, 'w');
  const Case cases[] = {
      {"a.sdx", first + "a.sdx" + last},
      {"ab.sdx", first + "ab.sdx\r\n " + last},
      {long_name, first + "\r\n " + long_name + "\r\n " + last},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InScratchDir here;
    here.dir.write(c.name, std::string(shdx_header) + "1 2\r\n");
    context::RunParameters p = with_dun("beach.dun", -1.0, 3);
    p.shdx_file = fixed_text(c.name, context::file_name_length);
    const auto r = run_phase(here, p);
    EXPECT_EQ(r.status, context::Status::error_stop);
    ASSERT_GE(r.console.size(), c.message.size());
    EXPECT_EQ(r.console.substr(r.console.size() - c.message.size()), c.message);
  }
}

}  // namespace
