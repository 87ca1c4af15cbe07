// Counts whose tables no machine holds end the run with a message, before the
// tables are created.
#include <gtest/gtest.h>

#include <string>

#include "run/table_memory.h"
#include "tests/run_support.h"

namespace {

TEST(table_memory, output_series_larger_than_memory_is_an_error_stop) {
  if (run::usable_memory_bytes() >= 122070ull * 1024 * 1024)
    GTEST_SKIP() << "machine too large";
  testing_support::ScratchDir dir;
  // Two thousand million hourly steps of a thousandth of an hour: over 100 GB
  // of stamps and labels alone.
  dir.write("quilbar.ctrl",
            "SIM a.sim\nSTD a.std\nSEL s.out\nDEP a.dep\nKRV 0\nFRE f.fre\nTIM 0.001\n"
            "TSO 2000000\n");
  dir.write("a.sim", "x 0 0 0\n");
  dir.write("a.std", "1 0 1 0 1\n");
  dir.write("s.out", "1 1 1 1.0 2.0 3.0\n");
  dir.write("a.dep", "1 1 10 10\n 1.0\n");
  dir.write("f.fre", "100\n");
  const auto r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.out.find(" Number of output wave events:   1999999872\r\n"), std::string::npos);
  EXPECT_NE(
      r.out.find("\r\n ERROR: The run's tables need more memory than this machine can give!\r\n"
                 "        Memory needed (MiB):          122070\r\n"
                 "        Memory available (MiB): "),
      std::string::npos)
      << r.out;
  EXPECT_FALSE(dir.exists("Dunelot_TGM.map"));
}

}  // namespace

namespace {

TEST(table_memory, shoreline_cells_beyond_memory_stop_after_the_echo) {
  if (run::usable_memory_bytes() >= 24576ull * 1024 * 1024)
    GTEST_SKIP() << "machine too large";
  testing_support::ScratchDir dir;
  dir.copy_from_source("examples/dunelot_case");
  std::string dun = dir.read("beach.dun");
  const auto at = dun.find("NX:");
  ASSERT_NE(at, std::string::npos);
  dun.replace(at, dun.find('\n', at) - at, "NX: 2147483647");
  dir.write("beach.dun", dun);
  const auto r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.out.find(" Number of Dunelot Grid Cells (NX):   2147483647\r\n"), std::string::npos);
  EXPECT_NE(r.out.find(" ERROR: The run's tables need more memory than this machine can give!\r\n"
                       "        Memory needed (MiB):           24576\r\n"),
            std::string::npos);
  EXPECT_FALSE(dir.exists("beach_new.dun"));
}

}  // namespace

namespace {

TEST(table_memory, station_count_beyond_memory_is_an_error_stop) {
  if (run::usable_memory_bytes() >= 83923ull * 1024 * 1024)
    GTEST_SKIP() << "machine too large";
  testing_support::ScratchDir dir;
  dir.copy_from_source("examples/map_case");
  dir.write("beach.std", "1 1 1 1 2000000000\n");  // far more stations than records
  const auto r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.out.find(" Number of wave observation stations:   2000000000\r\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("        Memory needed (MiB):           83923\r\n"), std::string::npos);
  EXPECT_FALSE(dir.exists("Dunelot_TGM.map"));
}

}  // namespace
