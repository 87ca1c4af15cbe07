// End-to-end runs of the two outputs on a small case whose every value can be
// worked out by hand: two stations on a 4 x 3 wave grid of 100 m cells with its
// origin at (1000, 2000) and no rotation, three hourly events.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/support.h"

namespace {

using testing_support::crlf_records;
using testing_support::RunResult;
using testing_support::ScratchDir;

// Station 1 in column 2, row 1 (centre 150, 50): map (1150, 2050), depth 10.0
// from the last record of the grid. Station 2 in column 4, row 3 (centre 350,
// 250): map (1350, 2250), depth 4.0 from the first record.
const char* dep_file =
    "4 3 100.0 0.0\r\n"
    "     1.000000     2.000000     3.000000     4.000000\r\n"
    "     5.000000     6.000000     7.000000     8.000000\r\n"
    "     9.000000    10.000000    11.000000    12.500000\r\n";
const char* std_file = "1 0 1 0 2\r\n";
const char* sim_file = "grid 1000.0 2000.0 0.0\r\n";
// Model directions 90, 300, 180 at station 1 and 0, 45, 270 at station 2 give
// the map directions 180, 330, 90 and 270, 225, 0 (270 minus the direction).
const char* station_output =
    "1 2 1 1.5 8.0 90.0\r\n"
    "2 4 3 2.0 9.0 0.0\r\n"
    "3 2 1 1.25 7.5 300.0\r\n"
    "4 4 3 0.75 6.0 45.0\r\n"
    "5 2 1 3.0 12.0 180.0\r\n"
    "6 4 3 2.5 10.0 270.0\r\n";
const std::string control_inputs =
    "SIM grid.sim\r\nSTD grid.std\r\nSEL selhts.out\r\nDEP grid.dep\r\n"
    "TIM 1.0\r\nSTA 20120315060000\r\n";

void write_wave_model(const ScratchDir& dir, const std::string& control_rest) {
  dir.write("grid.dep", dep_file);
  dir.write("grid.std", std_file);
  dir.write("grid.sim", sim_file);
  dir.write("selhts.out", station_output);
  dir.write("quilbar.ctrl", control_inputs + control_rest);
}

const std::string& separator = testing_support::separator_record;
const std::string& pause_prompt = testing_support::pause_prompt;

// The console text from the first occurrence of `from` to its end.
std::string console_from(const RunResult& r, const std::string& from) {
  const std::size_t at = r.out.find(from);
  return at == std::string::npos ? "<" + from + " not printed>" : r.out.substr(at);
}

std::string padded(const std::string& record) {
  return record + std::string(255 - record.size(), ' ');
}

TEST(shoreline_end_to_end, map_file_run) {
  ScratchDir dir;
  write_wave_model(dir, "");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "");
  // The run ends silently after the line that announces the file.
  EXPECT_EQ(console_from(r,
                         "\r\n  ****************************************************** \r\n\r\n"
                         " Writing"),
            "\r\n" + separator + "\r\n\r\n Writing output *.map file: Dunelot_TGM.map\r\n");
  EXPECT_EQ(dir.read("Dunelot_TGM.map"),
            crlf_records({" MAP VERSION 8",
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
                          " Point           1",
                          " XY   1150.00000000000        2050.00000000000      0.0",
                          " ID           1",
                          " WAVEGAGE",
                          "   10.00000    ",
                          "   8760.000    ",
                          " 03/15/2012 06:00:00 AM",
                          "   1.500000    ",
                          "   8.000000    ",
                          "   180.0000    ",
                          " 03/15/2012 07:00:00 AM",
                          "   1.250000    ",
                          "   7.500000    ",
                          "   330.0000    ",
                          " 03/15/2012 08:00:00 AM",
                          "   3.000000    ",
                          "   12.00000    ",
                          "   90.00000    ",
                          " 0",
                          " END",
                          " Point           2",
                          " XY   1350.00000000000        2250.00000000000      0.0",
                          " ID           2",
                          " WAVEGAGE",
                          "   4.000000    ",
                          "   8760.000    ",
                          " 03/15/2012 06:00:00 AM",
                          "   2.000000    ",
                          "   9.000000    ",
                          "   270.0000    ",
                          " 03/15/2012 07:00:00 AM",
                          "  0.7500000    ",
                          "   6.000000    ",
                          "   225.0000    ",
                          " 03/15/2012 08:00:00 AM",
                          "   2.500000    ",
                          "   10.00000    ",
                          "  0.0000000E+00",
                          " 0",
                          " END",
                          " ENDCOV",
                          " BEGTS",
                          " LEND"}));
}

TEST(shoreline_end_to_end, map_file_named_in_the_control_file_replaces_an_old_one) {
  ScratchDir dir;
  write_wave_model(dir, "MAP waves.map\r\nTSO 3.0\r\n");
  dir.write("waves.map", std::string(5000, 'x') + "\r\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  const std::string map = dir.read("waves.map");
  EXPECT_EQ(map.substr(0, 16), " MAP VERSION 8\r\n");
  EXPECT_NE(map.find("\r\n   3.000000    \r\n 03/15/2012 06:00:00 AM\r\n"), std::string::npos);
  EXPECT_FALSE(dir.exists("Dunelot_TGM.map"));
  EXPECT_EQ(console_from(r, " Writing"), " Writing output *.map file: waves.map\r\n");
}

// The shoreline-model output of the same case. The grid runs east from the
// wave grid's origin (azimuth 90), so a station's distance along it is its
// Easting offset: 150 for station 1, 350 for station 2. With the azimuth 90
// the shoreline offset is 0 and the directions are 0 minus the map
// directions: -180, 30, -90 and 90, 135, 0.
const std::string wave_file_1 = crlf_records({
    " 20120315   0600   1.500000       8.000000      -180.0000    ",
    " 20120315   0700   1.250000       7.500000       30.00000    ",
    " 20120315   0800   3.000000       12.00000      -90.00000    ",
});
const std::string wave_file_2 = crlf_records({
    " 20120315   0600   2.000000       9.000000       90.00000    ",
    " 20120315   0700  0.7500000       6.000000       135.0000    ",
    " 20120315   0800   2.500000       10.00000      0.0000000E+00",
});
const char* dunelot_control = "FOR Dunelot_Wave_File\r\nDUN beach.dun\r\n";
const std::string wave_lines =
    " Writing output *.wave file: OutputStationKRV_wave001.wave\r\n"
    " Writing output *.wave file: OutputStationKRV_wave002.wave\r\n";

std::string echo(const char* x0, const char* y0, const char* azimuth, const char* nx,
                 const char* dx) {
  return std::string(" Dunelot Grid Origin X-Coord. (Easting): ") + x0 +
         "\r\n Dunelot Grid Origin Y-Coord. (Northing): " + y0 +
         "\r\n Dunelot Grid Azimuth: " + azimuth + "\r\n Number of Dunelot Grid Cells (NX): " + nx +
         "\r\n Dunelot Grid Cell Resolution (DX): " + dx + "\r\n\r\n" + separator + "\r\n\r\n";
}

TEST(shoreline_end_to_end, rewrite_of_an_existing_control_file) {
  ScratchDir dir;
  write_wave_model(dir, std::string(dunelot_control) + "NX: 3\r\nDX: 7.0\r\n");
  const std::string long_record = "TITLE: " + std::string(293, '=');
  dir.write("beach.dun",
            "! shoreline model run\r\nNX: 10\r\nDX: 100.0\r\nX0: 1000.0\r\nY0: 2000.0\r\n"
            "AZIMUTH: 90.0\r\n" +
                long_record +
                "\r\nNUMWAVES: 1\r\n"
                "WAVEID: 1 5.0 3 old.wave\r\nEND\r\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(console_from(r, " Reading Dunelot"),
            " Reading Dunelot parameters from *.dun file: beach.dun\r\n" +
                echo("   1000.00000000000     ", "   2000.00000000000     ",
                     "   90.0000000000000     ", "          10", "   100.000000000000     ") +
                " Writing wave file header info to output *.dun file: beach.dun\r\n"
                " Writing wave file header info to output *.dun file: beach_new.dun\r\n" +
                wave_lines);
  EXPECT_EQ(dir.read("beach_new.dun"),
            crlf_records({
                padded("! shoreline model run"),
                padded("NX: 10"),
                padded("DX: 100.0"),
                padded("X0: 1000.0"),
                padded("Y0: 2000.0"),
                " AZIMUTH:   90.0000000000000     ",
                long_record,
                " NUMWAVES:           2",
                " WAVEID:           2   10.00000               3 OutputStationKRV_wave001.wave",
                " WAVEID:           4   4.000000               3 OutputStationKRV_wave002.wave",
                padded("END"),
            }));
  EXPECT_EQ(dir.read("OutputStationKRV_wave001.wave"), wave_file_1);
  EXPECT_EQ(dir.read("OutputStationKRV_wave002.wave"), wave_file_2);
}

TEST(shoreline_end_to_end, new_control_file_when_none_exists) {
  ScratchDir dir;
  write_wave_model(dir, std::string(dunelot_control) +
                            "X0: 1000.0\r\nY0: 2000.0\r\nAZI 90.0\r\nNX: 10\r\nDX: 100.0\r\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(console_from(r, " WARNING: Dunelot"),
            " WARNING: Dunelot Control file specified as: \"beach.dun\" not found!\r\n"
            " Verify that the following parameters read from the *.ctrl file are correct: \r\n" +
                echo("   1000.00000000000     ", "   2000.00000000000     ",
                     "   90.0000000000000     ", "          10", "   100.000000000000     ") +
                " WARNING: Input *.dun file specified as: \"beach.dun\" not found!\r\n"
                " Writing new *.dun file with only wave information.\r\n\r\n" +
                separator + "\r\n\r\n" +
                " Writing wave file header info to output *.dun file: Dunelot_waves.dun\r\n" +
                wave_lines);
  EXPECT_EQ(dir.read("Dunelot_waves.dun"),
            crlf_records({
                " NUMWAVES:           2",
                " WAVEID:           2   10.00000               3 OutputStationKRV_wave001.wave",
                " WAVEID:           4   4.000000               3 OutputStationKRV_wave002.wave",
            }));
  EXPECT_EQ(dir.read("OutputStationKRV_wave001.wave"), wave_file_1);
  EXPECT_EQ(dir.read("OutputStationKRV_wave002.wave"), wave_file_2);
}

TEST(shoreline_end_to_end, widths_from_a_cell_width_file) {
  // Edges 200, 400, 500, 600: station 1 (150) in cell 1, station 2 (350) in cell 2.
  ScratchDir dir;
  write_wave_model(dir, dunelot_control);
  dir.write("beach.dun",
            "NX: 4\r\nDX: -1\r\nDXFILE: cells.shdx\r\nX0: 1000.0\r\nY0: 2000.0\r\n"
            "AZIMUTH: 90.0\r\nWAVEID:\r\n");
  dir.write("cells.shdx", "widths\r\nof the\r\nshoreline\r\ncells\r\n200.0 200.0 100.0 100.0\r\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(
      r.out.find(echo("   1000.00000000000     ", "   2000.00000000000     ",
                      "   90.0000000000000     ", "           4", "  -1.00000000000000     ") +
                 " Loading Dunelot DX *.shdx file: cells.shdx\r\n"),
      std::string::npos);
  EXPECT_EQ(dir.read("beach_new.dun"),
            crlf_records({
                padded("NX: 4"),
                padded("DX: -1"),
                padded("DXFILE: cells.shdx"),
                padded("X0: 1000.0"),
                padded("Y0: 2000.0"),
                " AZIMUTH:   90.0000000000000     ",
                " WAVEID:           1   10.00000               3 OutputStationKRV_wave001.wave",
                " WAVEID:           2   4.000000               3 OutputStationKRV_wave002.wave",
            }));
}

TEST(shoreline_end_to_end, defaulted_azimuth_goes_into_the_azimuth_record) {
  // The AZIMUTH value cannot be read, so no azimuth is given: it becomes
  // 360 - 0 = 360, the grid then runs north and the distances are the
  // Northing offsets 50 and 250 (cells 1 and 3).
  ScratchDir dir;
  write_wave_model(dir, dunelot_control);
  dir.write("beach.dun", "NX: 10\r\nDX: 100.0\r\nX0: 1000.0\r\nY0: 2000.0\r\nAZIMUTH: none\r\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find(" Dunelot Grid Azimuth:   -99999.0000000000     \r\n"), std::string::npos);
  EXPECT_EQ(dir.read("beach_new.dun"),
            crlf_records({padded("NX: 10"), padded("DX: 100.0"), padded("X0: 1000.0"),
                          padded("Y0: 2000.0"), " AZIMUTH:   360.000000000000     "}));
  EXPECT_FALSE(dir.exists("Dunelot_waves.dun"));
}

TEST(shoreline_end_to_end, rewritten_name_keeps_the_directory) {
  ScratchDir dir;
  write_wave_model(dir, "FOR Dunelot_Wave_File\r\nDUN 'model.v2/run.2.dun'\r\n");
  mkdir(dir.file("model.v2").c_str(), 0755);
  dir.write("model.v2/run.2.dun", "NX: 10\r\nDX: 100.0\r\nAZIMUTH: 90\r\nNUMWAVES: 0\r\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find(" Writing wave file header info to output *.dun file: "
                       "model.v2/run.2_new.dun\r\n"),
            std::string::npos);
  EXPECT_TRUE(dir.exists("model.v2/run.2_new.dun"));
  EXPECT_EQ(dir.read("model.v2/run.2.dun"),
            "NX: 10\r\nDX: 100.0\r\nAZIMUTH: 90\r\nNUMWAVES: 0\r\n");
}

struct StopCase {
  const char* what;
  std::string control;       // after the wave-model inputs
  std::string dun;           // beach.dun, none when empty
  std::string shdx;          // cells.shdx, none when empty
  std::string console_tail;  // the end of standard output
};

TEST(shoreline_end_to_end, checked_errors_stop_before_any_output) {
  const std::string width_error =
      " ERROR: No Input Dunelot Grid Cell Width Supplied!\r\n"
      "        Terminating program!!\r\n";
  const std::string header = "a\r\nb\r\nc\r\nd\r\n";
  const StopCase cases[] = {
      {"no width, no *.dun", dunelot_control, "", "",
       " Verify that the following parameters read from the *.ctrl file are correct: \r\n" +
           width_error},
      {"no width in an existing *.dun", dunelot_control, "NX: 10\r\nX0: 1.0\r\n", "",
       " Reading Dunelot parameters from *.dun file: beach.dun\r\n" + width_error},
      {"a width of 0 in the *.dun over the control file's",
       std::string(dunelot_control) + "DX: 50.0\r\n", "NX: 10\r\nDX: 0.0\r\n", "",
       " Reading Dunelot parameters from *.dun file: beach.dun\r\n" + width_error},
      {"no cell count", std::string(dunelot_control) + "DX: 50.0\r\n", "NX: ten\r\n", "",
       "           0\r\n Dunelot Grid Cell Resolution (DX):    50.0000000000000     \r\n\r\n" +
           separator +
           "\r\n\r\n ERROR: No Input Dunelot Grid Cell Count (NX) Supplied!\r\n"
           "        Terminating program!!\r\n"},
      {"missing *.shdx", dunelot_control, "NX: 3\r\nDX: -1\r\nDXF cells.shdx\r\n", "",
       "\r\n ERROR: Input *.shdx file specified as: \"cells.shdx\" not found!\r\n"},
      {"too few widths", dunelot_control, "NX: 3\r\nDX: -1\r\nDXF cells.shdx\r\n",
       header + "10.0 20.0\r\n",
       " Loading Dunelot DX *.shdx file: cells.shdx\r\n"
       " ERROR: Input *.shdx file specified as: \"cells.shdx\r\n"
       " \" holds too few valid cell widths!\r\n"},
      {"a bad width", dunelot_control, "NX: 3\r\nDX: -1\r\nDXF cells.shdx\r\n",
       header + "10.0 x 30.0\r\n",
       " ERROR: Input *.shdx file specified as: \"cells.shdx\r\n"
       " \" holds too few valid cell widths!\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    write_wave_model(dir, c.control);
    if (!c.dun.empty())
      dir.write("beach.dun", c.dun);
    if (!c.shdx.empty())
      dir.write("cells.shdx", c.shdx);
    const RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 1);
    const std::string tail = c.console_tail + pause_prompt;
    ASSERT_GE(r.out.size(), tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
    EXPECT_FALSE(dir.exists("beach_new.dun"));
    EXPECT_FALSE(dir.exists("Dunelot_waves.dun"));
    EXPECT_FALSE(dir.exists("OutputStationKRV_wave001.wave"));
  }
}

TEST(shoreline_end_to_end, map_file_that_cannot_be_created) {
  ScratchDir dir;
  write_wave_model(dir, "MAP 'no_such_dir/waves.map'\r\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err.rfind("quilbar: no_such_dir/waves.map", 0), 0u) << r.err;
  // The line announcing the file comes only once the file exists.
  EXPECT_EQ(r.out.find("Writing output *.map file"), std::string::npos);
}

TEST(shoreline_end_to_end, failed_wave_file_keeps_earlier_files_whole) {
  // Station 2's file cannot take the place of a directory of that name: the
  // run stops with the I/O report, station 1's file is given up with the rest
  // of the set, and the directory is untouched.
  ScratchDir dir;
  write_wave_model(dir, std::string(dunelot_control));
  dir.write("beach.dun", "NX: 10\r\nDX: 100.0\r\nX0: 1000.0\r\nY0: 2000.0\r\nAZIMUTH: 90.0\r\n");
  mkdir(dir.file("OutputStationKRV_wave002.wave").c_str(), 0755);
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err.rfind("quilbar: OutputStationKRV_wave002.wave", 0), 0u) << r.err;
  EXPECT_FALSE(dir.exists("OutputStationKRV_wave001.wave"));
  struct stat st {};
  ASSERT_EQ(stat(dir.file("OutputStationKRV_wave002.wave").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(testing_support::leftover_temporaries(dir), "");
}

TEST(shoreline_end_to_end, more_than_999_stations_get_their_own_files) {
  // 1001 stations of one event, all in cell (1, 1) of the grid.
  ScratchDir dir;
  write_wave_model(dir, std::string(dunelot_control));
  dir.write("grid.std", "1 0 1 0 1001\r\n");
  std::string records;
  for (int s = 1; s <= 1001; ++s) {
    records += std::to_string(s) + " 1 1 " + std::to_string(s) + ".0 8.0 90.0\r\n";
  }
  dir.write("selhts.out", records);
  dir.write("beach.dun",
            "NX: 10\r\nDX: 100.0\r\nX0: 1000.0\r\nY0: 2000.0\r\nAZIMUTH: 90.0\r\n"
            "WAVEID:\r\n");
  const RunResult r = dir.run();
  ASSERT_EQ(r.exit_status, 0) << r.err;
  EXPECT_EQ(dir.read("OutputStationKRV_wave999.wave"),
            crlf_records({" 20120315   0600   999.0000       8.000000      -180.0000    "}));
  EXPECT_EQ(dir.read("OutputStationKRV_wave1000.wave"),
            crlf_records({" 20120315   0600   1000.000       8.000000      -180.0000    "}));
  EXPECT_EQ(dir.read("OutputStationKRV_wave1001.wave"),
            crlf_records({" 20120315   0600   1001.000       8.000000      -180.0000    "}));
  const std::string dun = dir.read("beach_new.dun");
  EXPECT_NE(dun.find("\r\n WAVEID:           1   9.000000               1 "
                     "OutputStationKRV_wave1000.wave\r\n"),
            std::string::npos);
  EXPECT_NE(r.out.find(" Writing output *.wave file: OutputStationKRV_wave1001.wave\r\n"),
            std::string::npos);
}

TEST(shoreline_end_to_end, placement_on_ten_cells_of_100) {
  // One row of 22 wave cells of 50 from (0, 0): stations in columns 6, 7, 21
  // and 3 stand at Eastings 275, 325, 1025 and 125. The shoreline grid runs
  // east from X0, so with X0 = 25 they lie at 250, 300, 1000 and 100 along
  // it, and with X0 = 25.1 at 249.9, 299.9, 999.9 and 99.9.
  struct Case {
    const char* x0;
    int cells[4];
  };
  const Case cases[] = {{"25.0", {3, 4, 0, 2}}, {"25.1", {3, 3, 10, 1}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x0);
    ScratchDir dir;
    write_wave_model(dir, std::string("FOR Dunelot_Wave_File\r\nDUN none.dun\r\nX0: ") + c.x0 +
                              "\r\nAZI 90.0\r\nNX: 10\r\nDX: 100.0\r\n");
    std::string dep = "22 1 50.0 0.0\r\n";
    // 22 depths in records of five 13-column fields.
    for (int k = 0; k < 4; ++k)
      dep += "     2.000000     2.000000     2.000000     2.000000     2.000000\r\n";
    dep += "     2.000000     2.000000\r\n";
    dir.write("grid.dep", dep);
    dir.write("grid.sim", "grid 0.0 0.0 0.0\r\n");
    dir.write("grid.std", "1 0 1 0 4\r\n");
    dir.write("selhts.out",
              "1 6 1 1.0 8.0 90.0\r\n2 7 1 1.0 8.0 90.0\r\n3 21 1 1.0 8.0 90.0\r\n"
              "4 3 1 1.0 8.0 90.0\r\n");
    const RunResult r = dir.run();
    ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
    std::vector<std::string> records{" NUMWAVES:           4"};
    for (int p = 0; p < 4; ++p) {
      std::string cell = std::to_string(c.cells[p]);
      records.push_back(" WAVEID:" + std::string(12 - cell.size(), ' ') + cell +
                        "   2.000000               1 OutputStationKRV_wave00" +
                        std::to_string(p + 1) + ".wave");
    }
    std::string expected;
    for (const auto& record : records) expected += record + "\r\n";
    EXPECT_EQ(dir.read("Dunelot_waves.dun"), expected);
  }
}

TEST(shoreline_end_to_end, example_cases_write_every_output) {
  {
    ScratchDir dir;
    dir.copy_from_source("examples/map_case");
    const RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(console_from(r, " Writing"),
              " Writing output *.map file: Dunelot_TGM.map\r\n"
              " Writing run report file: beach_report.html\r\n"
              " Writing run report file: beach_report_stations.csv\r\n"
              " Writing run report file: beach_report_cells.csv\r\n");
    // Three stations of six steps: 11 + 3 x (8 + 24) + 3 records.
    const std::string map = dir.read("Dunelot_TGM.map");
    std::size_t records = 0;
    for (std::size_t at = map.find("\r\n"); at != std::string::npos;
         at = map.find("\r\n", at + 2)) {
      ++records;
    }
    EXPECT_EQ(records, 110u);
  }
  {
    ScratchDir dir;
    dir.copy_from_source("examples/dunelot_case");
    const RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(console_from(r, " Loading Dunelot DX"),
              " Loading Dunelot DX *.shdx file: beach.shdx\r\n"
              " Writing wave file header info to output *.dun file: beach.dun\r\n"
              " Writing wave file header info to output *.dun file: beach_new.dun\r\n"
              " Writing output *.wave file: OutputStationKRV_wave001.wave\r\n"
              " Writing output *.wave file: OutputStationKRV_wave002.wave\r\n"
              " Writing output *.wave file: OutputStationKRV_wave003.wave\r\n"
              " Writing run report file: beach_report.html\r\n"
              " Writing run report file: beach_report_stations.csv\r\n"
              " Writing run report file: beach_report_cells.csv\r\n"
              " Writing run report file: beach_report_transport.csv\r\n");
    const std::string dun = dir.read("beach_new.dun");
    EXPECT_NE(dun.find(" NUMWAVES:           3\r\n"
                       " WAVEID:           4   3.700000               6 "
                       "OutputStationKRV_wave001.wave\r\n"
                       " WAVEID:           9   5.600000               6 "
                       "OutputStationKRV_wave002.wave\r\n"
                       " WAVEID:          12   3.850000               6 "
                       "OutputStationKRV_wave003.wave\r\n"),
              std::string::npos);
    EXPECT_NE(dun.find(" AZIMUTH:   60.0000000000000     \r\n"), std::string::npos);
    for (const char* name : {"OutputStationKRV_wave001.wave", "OutputStationKRV_wave002.wave",
                             "OutputStationKRV_wave003.wave"}) {
      SCOPED_TRACE(name);
      const std::string wave = dir.read(name);
      EXPECT_EQ(wave.size(), 6u * (61 + 2));
      EXPECT_EQ(wave.substr(0, 17), " 20120315   0000 ");
    }
  }
}

}  // namespace
