// The control file, the echo, the input checks and the error stop, through the
// built program and through load_control_file directly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "run/control_file.h"
#include "tests/support.h"
#include "textio/free_writer.h"
#include "textio/io_error.h"
#include "textio/output_set.h"

namespace {

using testing_support::crlf_records;
using testing_support::ScratchDir;

const std::string banner = crlf_records({
    "",
    "",
    " ========================================================",
    "",
    "         +-------------------------------------+         ",
    "                       quilbar                           ",
    "         +-------------------------------------+         ",
    "                   Build: 02 AUG 2012                    ",
    "                       quilbar.exe                       ",
    "",
    "     PURPOSE:                                            ",
    "       Converts KRV-Wave station output data (selhts.out)",
    "       to either:                                        ",
    "",
    "       1) TGM *.map file for Dunelot wave input from     ",
    "            TGM Map Module; or                           ",
    "       2) Dunelot *.dun and *.wave files for direct      ",
    "            Dunelot wave input.                          ",
    "",
    " ========================================================",
    "",
    "",
});

const std::string triple =
    crlf_records({"", "  ****************************************************** ", ""});
const std::string pause = crlf_records({" quilbar Pause - Enter command<CR> or <CR> to continue."});

// The echo of the default parameters, up to the output format lines.
std::string echo_head(const std::string& step, const std::string& length, const std::string& start,
                      const std::string& krv, const std::string& format) {
  return triple + crlf_records({
                      " Output time series timestep (hours): " + step,
                      " Length of output time series (hours): " + length,
                      " Number of time periods to distribute output time series over:            1",
                      " Start Date & Time <yyyymmddHHMMSS>: " + start,
                      " Flag for KRV mode:                                     ",
                      "   <1> = time-series mode; <0> = steady state mode: " + krv,
                      " Flag for random temporal distribution:                 ",
                      "   <1> = randomly distributed; <0> = same order as input waves:     0",
                      " Output format:                                         ",
                      "   <TGM_Map_Wave_File> = TGM Map File;                  ",
                      "   <Dunelot_Wave_File> = Dunelot Wave Files: " + format,
                  });
}

const std::string default_echo =
    echo_head("  0.0000000E+00", "   8760.000    ", "        19000101000000", "    1",
              "TGM_Map_Wave_File") +
    crlf_records({" Output TGM time series file name: Dunelot_TGM.map"}) + triple;

const std::string missing_sim =
    crlf_records({" ERROR: Input *.sim file specified as: \"\" not found!"}) + pause;

TEST(run_control, empty_or_comment_only_control_file_keeps_every_default) {
  for (const char* control : {"", "! a comment\n\n   # indented comment\n!SIM x.sim\n"}) {
    SCOPED_TRACE(control);
    ScratchDir dir;
    dir.write("quilbar.ctrl", control);
    const auto r = dir.run();
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.out, banner + default_echo + missing_sim);
    EXPECT_EQ(r.err, "");
  }
}

TEST(run_control, unknown_or_lower_case_keyword_stops_before_the_echo) {
  for (const char* control : {"sim x.sim\n", "TIM 1.0\nWHAT 3\n", "  X0 5.0\n"}) {
    SCOPED_TRACE(control);
    ScratchDir dir;
    dir.write("quilbar.ctrl", control);
    const auto r = dir.run();
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.out,
              banner + crlf_records({" ERROR: Something is wrong with your input file!"}) + pause);
  }
}

TEST(run_control, missing_control_file_is_the_io_layers_report) {
  ScratchDir dir;
  const auto r = dir.run();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.out, banner);
  // Then where the run looks for it.
  EXPECT_EQ(r.err,
            "quilbar: quilbar.ctrl: cannot open file: No such file or directory\n"
            "quilbar: run quilbar in the folder that holds quilbar.ctrl, or name it with -C DIR\n");
}

TEST(run_control, missing_input_after_the_loading_lines_before_it) {
  ScratchDir dir;
  dir.write("quilbar.ctrl",
            "SIM run.sim\nSTD 'run.std'\nSEL, selhts.out\nDEP \"my grid.dep\"\nTIM 1.0\n"
            "STA 2012031506\nKRV 0\nFOR Dunelot_Wave_File_and_more\nDUN beach.dun\n");
  dir.write("run.sim", "x 0 0 0\n");
  dir.write("run.std", "");
  dir.write("selhts.out", "");
  const auto r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out,
            banner +
                echo_head("   1.000000    ", "   8760.000    ", "            2012031506", "    0",
                          "Dunelot_Wave_File") +
                crlf_records({" Input Dunelot Control Filename:                      beach.dun"}) +
                triple +
                crlf_records({
                    " Loading KRV-Wave *.sim file: run.sim",
                    " Loading KRV-Wave *.std file: run.std",
                    " Loading KRV-Wave selhts.out file: selhts.out",
                    " ERROR: Input *.dep file specified as: \"my grid.dep\" not found!",
                }) +
                pause);
}

TEST(run_control, frequency_file_is_checked_only_in_steady_state_mode) {
  ScratchDir dir;
  dir.write("quilbar.ctrl", "SIM a\nSTD a\nSEL a\nDEP a\nKRV 0\nFRE freq.txt\n");
  dir.write("a", "");
  const auto r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.out.find(" Loading KRV-Wave *.dep file: a\r\n ERROR: Input % frequencyoccur file "
                       "specified as: \"freq.txt\" not found!\r\n" +
                       pause),
            std::string::npos);
}

TEST(run_control, pause_runs_commands_until_an_empty_line) {
  ScratchDir dir;
  dir.write("quilbar.ctrl", "bad\n");
  const auto r = dir.run("echo from-the-shell\n\nnever run\n");
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out, banner + crlf_records({" ERROR: Something is wrong with your input file!"}) +
                       pause + "from-the-shell\n" + pause);
}

// load_control_file reads quilbar.ctrl from the working directory.
class ControlFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
    ASSERT_EQ(chdir(dir_.path().c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(previous_), 0); }

  context::RunParameters load(const std::string& text,
                              context::Status expected = context::Status::ok) {
    dir_.write("quilbar.ctrl", text);
    context::RunContext ctx;
    textio::OutputSet console_set;  // the console goes to a file never put in place
    ctx.console = textio::create_output(console_set, dir_.file("console"));
    EXPECT_EQ(run::load_control_file(ctx), expected);
    return ctx.params;
  }

  ScratchDir dir_;
  char previous_[4096];
};

TEST_F(ControlFile, values_of_every_type_and_the_last_occurrence_wins) {
  const auto p = load(
      "SIMULATION 'wave run.sim'\nTIM 0.5\nTIM 3\nNTI 12\nTSO 1.5D3\nSTA 20120315063000\n"
      "KRV 0\nRAN 1\nFOR Dunelot_Wave_File\nX0:, 512.5\nY0: -7\nAZIMUTH 37.5\nNX: 40\nDX: -1\n"
      "DXF widths.shdx\nMAP out.map ! trailing comment\n");
  EXPECT_EQ(textio::trimmed(p.sim_file), "wave run.sim");
  EXPECT_EQ(p.sim_file.size(), 255u);
  EXPECT_EQ(p.time_step_hours, 3.0f);
  EXPECT_EQ(p.period_count, 12);
  EXPECT_EQ(p.series_length_hours, 1500.0f);
  EXPECT_EQ(p.start_datetime, 20120315063000);
  EXPECT_EQ(p.krv_mode, 0);
  EXPECT_EQ(p.random_order, 1);
  EXPECT_TRUE(context::is_dunelot_output(p));
  EXPECT_EQ(p.shore_x0, 512.5);
  EXPECT_EQ(p.shore_y0, -7.0);
  EXPECT_EQ(p.shore_azimuth, 37.5);
  EXPECT_EQ(p.shore_nx, 40);
  EXPECT_EQ(p.shore_dx, -1.0);
  EXPECT_EQ(textio::trimmed(p.shdx_file), "widths.shdx");
  EXPECT_EQ(textio::trimmed(p.map_file), "out.map");
}

TEST_F(ControlFile, a_value_may_stand_on_the_next_line) {
  // Joined to its keyword, the value is part of the keyword text, and the
  // parameter takes the first value of the next line, which is used up.
  auto p = load("X0:512.5\n7.5\nTIM 2\n");
  EXPECT_EQ(p.shore_x0, 7.5);
  EXPECT_EQ(p.time_step_hours, 2.0f);
  p = load("NTI\n\n  4 5\nNX: 3\n");
  EXPECT_EQ(p.period_count, 4);
  EXPECT_EQ(p.shore_nx, 3);
}

TEST_F(ControlFile, unreadable_values_are_passed_over) {
  const auto p = load("NTI many\nTIM soon\nKRV 300\nTSO 24\n");
  EXPECT_EQ(p.period_count, 0);        // an unreadable integer is 0
  EXPECT_EQ(p.time_step_hours, 0.0f);  // an unreadable real keeps its value
  EXPECT_EQ(p.krv_mode, 0);            // out of the 1-byte range
  EXPECT_EQ(p.series_length_hours, 24.0f);
}

TEST_F(ControlFile, format_is_cut_to_seventeen_characters) {
  auto p = load("FOR Dunelot_Wave_Files\n");
  EXPECT_TRUE(context::is_dunelot_output(p));
  p = load("FOR dunelot_wave_file\n");
  EXPECT_FALSE(context::is_dunelot_output(p));
  EXPECT_FALSE(context::is_map_output(p));
}

TEST_F(ControlFile, lower_case_keyword_is_an_error) {
  load("tim 1\n", context::Status::error_stop);
}

}  // namespace
