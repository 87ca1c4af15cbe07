// A run's outputs are replaced as one set: a run that fails at any of its
// files (a name held by a folder, a file past the process's file-size limit)
// leaves the folder byte for byte as it was, without a temporary; a run that
// ends normally replaces every file.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::leftover_temporaries;
using testing_support::RunResult;
using testing_support::ScratchDir;

// Every station in cell (1, 1) of a 2 x 2 grid, `events` hourly events each.
void write_case(const ScratchDir& dir, int stations, int events, bool dunelot) {
  const std::string row = "     5.000000     5.000000\r\n";
  dir.write("grid.dep", "2 2 100.0 0.0\r\n" + row + row);
  dir.write("grid.std", "1 0 1 0 " + std::to_string(stations) + "\r\n");
  dir.write("grid.sim", "grid 1000.0 2000.0 0.0\r\n");
  std::string records;
  int record = 0;
  for (int e = 0; e < events; ++e) {
    for (int s = 1; s <= stations; ++s)
      records += std::to_string(++record) + " 1 1 1." + std::to_string(e % 10) + " 8.0 90.0\r\n";
  }
  dir.write("selhts.out", records);
  std::string control =
      "SIM grid.sim\r\nSTD grid.std\r\nSEL selhts.out\r\nDEP grid.dep\r\nTIM 1.0\r\n";
  if (dunelot) {
    control += "FOR Dunelot_Wave_File\r\nDUN beach.dun\r\n";
    dir.write("beach.dun",
              "NX: 10\r\nDX: 100.0\r\nX0: 1000.0\r\nY0: 2000.0\r\nAZIMUTH: 90.0\r\n"
              "NUMWAVES: 0\r\nWAVEID:\r\n");
  }
  dir.write("quilbar.ctrl", control);
}

std::string wave_name(int station) {
  std::string digits = std::to_string(station);
  return "OutputStationKRV_wave" + std::string(3 - std::min<std::size_t>(3, digits.size()), '0') +
         digits + ".wave";
}

TEST(output_set_end_to_end, a_failed_run_leaves_the_folder_as_it_was) {
  struct Case {
    std::string label;
    int stations, events;
    bool dunelot;
    int limit_blocks;    // 0: none
    int folder_station;  // a folder holds this station's wave file name; 0: none
    std::string err;
  };
  const std::string too_large = ": cannot write: File too large\n";
  const std::string a_folder = ": cannot create file: Is a directory\n";
  const Case cases[] = {
      {"200 wave files, the first name held by a folder", 200, 2, true, 0, 1,
       "quilbar: " + wave_name(1) + a_folder},
      {"200 wave files, the 100th name held by a folder", 200, 2, true, 0, 100,
       "quilbar: " + wave_name(100) + a_folder},
      {"200 wave files, the last name held by a folder", 200, 2, true, 0, 200,
       "quilbar: " + wave_name(200) + a_folder},
      {"200 wave files, the *.dun file past the size limit", 200, 2, true, 8, 0,
       "quilbar: beach_new.dun" + too_large},
      {"the first wave file past the size limit, after the *.dun file", 3, 100, true, 8, 0,
       "quilbar: " + wave_name(1) + too_large},
      {"the map file past the size limit", 3, 100, false, 8, 0,
       "quilbar: Dunelot_TGM.map" + too_large},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ScratchDir dir;
    write_case(dir, c.stations, c.events, c.dunelot);
    // An earlier run's outputs, then the damage.
    ASSERT_EQ(dir.run().exit_status, 0);
    write_case(dir, c.stations, c.events + 1, c.dunelot);
    if (c.folder_station > 0) {
      fs::remove(dir.file(wave_name(c.folder_station)));
      fs::create_directory(dir.file(wave_name(c.folder_station)));
    }
    const auto before = testing_support::folder_snapshot(dir);
    const RunResult r =
        c.limit_blocks > 0 ? dir.run_with_file_size_limit(c.limit_blocks) : dir.run();
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(leftover_temporaries(dir), "");
    EXPECT_TRUE(testing_support::folder_snapshot(dir) == before) << "the folder changed";
  }
}

TEST(output_set_end_to_end, a_run_that_ends_normally_replaces_every_file) {
  for (const bool dunelot : {true, false}) {
    SCOPED_TRACE(dunelot ? "Dunelot output" : "map output");
    ScratchDir dir;
    write_case(dir, 200, 2, dunelot);
    ASSERT_EQ(dir.run().exit_status, 0);
    ScratchDir fresh;
    write_case(fresh, 200, 3, dunelot);
    ASSERT_EQ(fresh.run().exit_status, 0);
    write_case(dir, 200, 3, dunelot);
    const RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_TRUE(testing_support::folder_snapshot(dir) == testing_support::folder_snapshot(fresh))
        << "not every output was replaced";
    EXPECT_EQ(leftover_temporaries(dir), "");
  }
}

}  // namespace
