// Counts whose tables no machine holds end the run with a message, before the
// tables are created.
#include <gtest/gtest.h>

#include <string>

#include "context/table_memory.h"
#include "tests/support.h"

namespace {

TEST(table_memory, output_series_larger_than_memory_is_an_error_stop) {
  if (context::usable_memory_bytes() >= 68664ull * 1024 * 1024)
    GTEST_SKIP() << "machine too large";
  testing_support::ScratchDir dir;
  // Two thousand million hourly steps of a thousandth of an hour: over 68 GB
  // of stamps and labels, the first tables by step.
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
                 "        Memory needed (MiB):           68664\r\n"
                 "        Memory available (MiB): "),
      std::string::npos)
      << r.out;
  EXPECT_FALSE(dir.exists("Dunelot_TGM.map"));
}

}  // namespace

namespace {

TEST(table_memory, shoreline_cells_beyond_memory_stop_after_the_echo) {
  if (context::usable_memory_bytes() >= 24576ull * 1024 * 1024)
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

// Memory is checked where each table is made: an input error the run reaches
// before that is told first (here no event gives any of the stations a cell).
TEST(table_memory, an_input_error_reached_first_is_told_first) {
  for (const char* count : {"99999999", "2000000000"}) {
    SCOPED_TRACE(count);
    testing_support::ScratchDir dir;
    dir.copy_from_source("examples/map_case");
    dir.write("beach.std", std::string("1 1 1 1 ") + count + "\n");
    const auto r = dir.run();
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_NE(r.out.find(" ERROR: Wave observation station           1  lies outside the "
                         "KRV-Wave grid!\r\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("Memory needed"), std::string::npos);
    EXPECT_FALSE(dir.exists("Dunelot_TGM.map"));
  }
}

}  // namespace
