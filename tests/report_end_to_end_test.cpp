// The run report asked for with REPORT: its files, what it leaves alone, the
// flags it raises on faults planted in a case, and its page read by an XML
// parser.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "report/markup.h"
#include "report/run_report.h"
#include "support.h"

namespace {

using testing_support::RunResult;
using testing_support::ScratchDir;
namespace fs = std::filesystem;

// Every file of a directory, by name.
std::map<std::string, std::string> files_of(const ScratchDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    files[entry.path().filename().string()] = dir.read(entry.path().filename().string());
  return files;
}

// What tests/check_report_page.py says of a page.
std::string page_check(const ScratchDir& dir, const std::string& page) {
  const std::string command = "python3 '" + std::string(QUILBAR_SOURCE_DIR) +
                              "/tests/check_report_page.py' '" + dir.file(page) + "' 2>&1";
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
    pclose(pipe);
  }
  return text;
}

TEST(run_report, companion_names_and_page_text) {
  const std::pair<const char*, const char*> names[] = {
      {"quilbar_report.html", "quilbar_report_stations.csv"},
      {"out/r.v1.html", "out/r.v1_stations.csv"},
      {"report", "report_stations.csv"},
      {"run.d/report", "run.d/report_stations.csv"},
      {".r", ".r_stations.csv"},
      {"sub/.r", "sub/.r_stations.csv"},
      {".r.html", ".r_stations.csv"},
  };
  for (const auto& [page, csv] : names) EXPECT_EQ(report::companion_name(page, "stations"), csv);

  const std::pair<std::string, std::string> numbers[] = {
      {report::number_text(12.50, 2), "12.5"}, {report::number_text(3.0, 1), "3"},
      {report::number_text(-0.0001, 2), "0"},  {report::number_text(-2.25, 1), "-2.2"},
      {report::number_text(0.0 / 0.0, 2), ""},
  };
  for (const auto& [got, want] : numbers) EXPECT_EQ(got, want);
  // Markup escaped; bytes that are no UTF-8 and control characters shown as
  // "?", so that a damaged name cannot make the page unreadable.
  EXPECT_EQ(report::escaped("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;");
  EXPECT_EQ(report::escaped("K\xc3\xbcste\xff\x01.sim"), "K\xc3\xbcste??.sim");
}

// Both examples with REPORT added: the console gains the echo record and one
// record per report file, every other output is what the run without it
// writes, and that is what the program wrote before the report existed.
TEST(run_report, examples_gain_the_report_files_and_change_nothing_else) {
  struct Case {
    const char* example;
    const char* golden;  // the outputs and console before the report existed
    int stations;
  };
  const Case cases[] = {{"examples/map_case", "tests/golden/map_case", 3},
                        {"examples/dunelot_case", "tests/golden/dunelot_case", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.example);
    ScratchDir plain, with_report;
    plain.copy_from_source(c.example);
    with_report.copy_from_source(c.example);
    // The example without its REPORT record, and with one naming a page with
    // a blank in its name.
    testing_support::drop_report_record(plain);
    with_report.write("quilbar.ctrl", plain.read("quilbar.ctrl") + "REPORT 'run report.html'\n");
    const RunResult a = plain.run(), b = with_report.run();
    ASSERT_EQ(a.exit_status, 0) << a.err;
    ASSERT_EQ(b.exit_status, 0) << b.err;

    for (const auto& [name, text] : files_of(plain)) {
      if (name == "quilbar.ctrl" || fs::exists(fs::path(QUILBAR_SOURCE_DIR) / c.example / name))
        continue;
      EXPECT_EQ(with_report.read(name), text) << name;
      EXPECT_EQ(text, testing_support::read_source_file(std::string(c.golden) + "/" + name))
          << name;
    }
    EXPECT_EQ(a.out, testing_support::read_source_file(std::string(c.golden) + "/console.txt"));

    std::string expected = a.out;
    const std::string echo_end = " Output run report file name: run report.html\r\n";
    // The echo record closes the echo block, before its closing triple.
    const std::size_t loading = expected.find(" Loading KRV-Wave");
    const std::size_t block_end =
        expected.rfind("\r\n\r\n" + testing_support::separator_record, loading);
    ASSERT_NE(block_end, std::string::npos);
    expected.insert(block_end + 2, echo_end);
    expected +=
        " Writing run report file: run report.html\r\n"
        " Writing run report file: run report_stations.csv\r\n"
        " Writing run report file: run report_cells.csv\r\n";
    // The Dunelot output's sand transport table.
    if (c.example == std::string("examples/dunelot_case"))
      expected += " Writing run report file: run report_transport.csv\r\n";
    EXPECT_EQ(b.out, expected);
    // Every line of the page ends in CR LF, the style block's too.
    const std::string page = with_report.read("run report.html");
    std::size_t bare_lf = 0;
    for (std::size_t k = 0; k < page.size(); ++k)
      bare_lf += page[k] == '\n' && (k == 0 || page[k - 1] != '\r');
    EXPECT_EQ(bare_lf, 0u);
    EXPECT_NE(page.find("<td>quilbar 1.2.0</td>"), std::string::npos);
    EXPECT_EQ(page_check(with_report, "run report.html"),
              "plan=1 sections=" + std::to_string(c.stations) +
                  " stations=" + std::to_string(c.stations) + "\n");
  }
}

// The two tables of the Dunelot example, whole. Worked by hand: station 1 is
// wave-grid cell (2, 2), its centre 75 m along both axes of a grid at 30
// degrees from (512000, 4125000): (512027.452, 4125102.452); from the
// shoreline origin (511990, 4125010) at 60 degrees it lies 37.452 x 0.866 +
// 92.452 x 0.5 = 78.660 m along (cell 4: edges 20, 40, 65, 90) and 37.452 x
// 0.5 - 92.452 x 0.866 = -61.340 m across. Cell 1 ends 20 m along:
// (511990 + 17.321, 4125010 + 10).
TEST(run_report, tables_of_the_dunelot_example) {
  ScratchDir dir;
  dir.copy_from_source("examples/dunelot_case");
  const RunResult r = dir.run();
  ASSERT_EQ(r.exit_status, 0) << r.err;
  // The mean direction station 1's waves come from is 328.581 on the compass;
  // relative to the shore normal (offset 60 - 90 + 360 = 330) it is 1.419.
  EXPECT_EQ(dir.read("beach_report_stations.csv"),
            "station,i,j,easting,northing,depth,cell,alongshore_m,crossshore_m,hs_mean_m,"
            "hs_max_m,tp_mean_s,mean_from_deg,mean_theta_deg,offshore_directed_pct,"
            "longshore_flux_w_per_m,bad_steps,flags\r\n"
            "1,2,2,512027.452,4125102.452,3.70000,4,78.660,-61.340,1.42333,2.05000,8.55000,"
            "328.581,1.41933,0,438.915,0,\r\n"
            "2,5,3,512132.356,4125220.753,5.60000,9,228.660,-111.340,1.33800,1.92700,8.55000,"
            "331.081,-1.08067,0,125.953,0,\r\n"
            "3,7,2,512243.958,4125227.452,3.85000,12,328.660,-61.340,1.25267,1.80400,8.55000,"
            "333.581,-3.58067,0,-166.327,0,\r\n");
  EXPECT_EQ(
      dir.read("beach_report_cells.csv"),
      "cell,width_m,start_alongshore_m,start_easting,start_northing,end_easting,end_northing,"
      "stations,wkt\r\n"
      "1,20.0000,0.000,511990.000,4125010.000,512007.321,4125020.000,,\"LINESTRING (511990.000 "
      "4125010.000, 512007.321 4125020.000)\"\r\n"
      "2,20.0000,20.000,512007.321,4125020.000,512024.641,4125030.000,,\"LINESTRING "
      "(512007.321 4125020.000, 512024.641 4125030.000)\"\r\n"
      "3,25.0000,40.000,512024.641,4125030.000,512046.292,4125042.500,,\"LINESTRING "
      "(512024.641 4125030.000, 512046.292 4125042.500)\"\r\n"
      "4,25.0000,65.000,512046.292,4125042.500,512067.942,4125055.000,1,\"LINESTRING "
      "(512046.292 4125042.500, 512067.942 4125055.000)\"\r\n"
      "5,25.0000,90.000,512067.942,4125055.000,512089.593,4125067.500,,\"LINESTRING "
      "(512067.942 4125055.000, 512089.593 4125067.500)\"\r\n"
      "6,30.0000,115.000,512089.593,4125067.500,512115.574,4125082.500,,\"LINESTRING "
      "(512089.593 4125067.500, 512115.574 4125082.500)\"\r\n"
      "7,30.0000,145.000,512115.574,4125082.500,512141.554,4125097.500,,\"LINESTRING "
      "(512115.574 4125082.500, 512141.554 4125097.500)\"\r\n"
      "8,30.0000,175.000,512141.554,4125097.500,512167.535,4125112.500,,\"LINESTRING "
      "(512141.554 4125097.500, 512167.535 4125112.500)\"\r\n"
      "9,30.0000,205.000,512167.535,4125112.500,512193.516,4125127.500,2,\"LINESTRING "
      "(512167.535 4125112.500, 512193.516 4125127.500)\"\r\n"
      "10,30.0000,235.000,512193.516,4125127.500,512219.497,4125142.500,,\"LINESTRING "
      "(512193.516 4125127.500, 512219.497 4125142.500)\"\r\n"
      "11,35.0000,265.000,512219.497,4125142.500,512249.808,4125160.000,,\"LINESTRING "
      "(512219.497 4125142.500, 512249.808 4125160.000)\"\r\n"
      "12,35.0000,300.000,512249.808,4125160.000,512280.119,4125177.500,3,\"LINESTRING "
      "(512249.808 4125160.000, 512280.119 4125177.500)\"\r\n");
}

// A report that would take the name of another output stops the run before
// anything is put in place.
TEST(run_report, name_of_another_output_is_refused) {
  ScratchDir dir;
  dir.copy_from_source("examples/dunelot_case");
  dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "REPORT './beach_new.dun'\n");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.out.find(" ERROR: Run report would replace an output: \"./beach_new.dun\"\r\n"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(dir.exists("beach_new.dun"));
  EXPECT_EQ(testing_support::leftover_temporaries(dir), "");
}

}  // namespace

namespace {

// Every loop of the page ends, whatever the geometry: shoreline grids of 1 to
// 1000 cells of 0.001 m to 1e7 m, wave grids of 1 mm to 100 km cells, one
// station, one step. The run is limited to 20 MB per file, so a runaway fails
// at once; the page stays within a bound of a fixed part, a part per station
// and a part per cell.
TEST(run_report, every_geometry_gives_a_bounded_page) {
  struct Case {
    int cells;
    const char* width;
    const char* grid_cell;
    int stations, steps;
  };
  const Case cases[] = {
      {1, "10.0", "10.0", 3, 4},   {2, "10.0", "10.0", 3, 4},   {3, "10.0", "10.0", 3, 4},
      {6, "10.0", "10.0", 3, 4},   {3, "0.001", "10.0", 3, 4},  {3, "1.0E7", "10.0", 3, 4},
      {1000, "0.5", "10.0", 3, 4}, {3, "10.0", "0.001", 3, 4},  {3, "10.0", "1.0E5", 3, 4},
      {3, "10.0", "10.0", 1, 1},   {1, "0.001", "0.001", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cells) + " cells of " + c.width + " m, grid cells of " +
                 c.grid_cell + " m, " + std::to_string(c.stations) + " stations, " +
                 std::to_string(c.steps) + " steps");
    ScratchDir dir;
    dir.write("t.sim", "t 0.0 0.0 0.0\n");
    dir.write("t.std", "! sweep\n       " + std::to_string(c.stations) + "              !kout\n");
    std::string dep = std::string("20 4 ") + c.grid_cell + " " + c.grid_cell + "\n";
    for (int k = 0; k < 80; ++k) dep += "5.0\n";
    dir.write("t.dep", dep);
    std::string sel;
    int record = 0;
    for (int step = 0; step < c.steps; ++step) {
      for (int p = 0; p < c.stations; ++p) {
        sel += std::to_string(++record) + " " + std::to_string(2 + 3 * p) + " 1 1.0 8.0 " +
               (step % 2 == 0 ? "265.0" : "275.0") + "\n";
      }
    }
    dir.write("selhts.out", sel);
    dir.write("quilbar.ctrl",
              "SIM t.sim\nSTD t.std\nSEL selhts.out\nDEP t.dep\nTIM 1.0\nSTA 20120101000000\n"
              "FOR Dunelot_Wave_File\nDUN none.dun\nX0: 0.0\nY0: 0.0\nAZI 90.0\nNX: " +
                  std::to_string(c.cells) + "\nDX: " + c.width + "\nREPORT sweep.html\n");
    const RunResult r = dir.run_with_file_size_limit(40000);
    ASSERT_EQ(r.exit_status, 0) << r.err;
    const std::size_t bound = 60000 + 8000 * static_cast<std::size_t>(c.stations) +
                              300 * static_cast<std::size_t>(c.cells);
    EXPECT_LT(dir.read("sweep.html").size(), bound);
    EXPECT_EQ(page_check(dir, "sweep.html"), "plan=1 sections=" + std::to_string(c.stations) +
                                                 " stations=" + std::to_string(c.stations) + "\n");
  }
}

}  // namespace
