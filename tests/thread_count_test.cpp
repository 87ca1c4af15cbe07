// Work spread over threads (QUILBAR_THREADS) changes nothing a user sees:
// console, exit status, every file, and the first fault reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::folder_snapshot;
using testing_support::RunResult;
using testing_support::ScratchDir;

// Every example (with its run report), on one thread, two and seven: seven
// threads keep fourteen blocks in flight, so coast_year's 16 stations wrap
// the texts round; two threads wrap them three times over.
TEST(thread_count, examples_are_the_same_on_any_number_of_threads) {
  for (const char* example : {"examples/coast_year", "examples/dunelot_case", "examples/map_case",
                              "examples/steady_random_case"}) {
    SCOPED_TRACE(example);
    ScratchDir one;
    one.copy_from_source(example);
    const RunResult first = one.run_with_environment("QUILBAR_THREADS=1");
    ASSERT_EQ(first.exit_status, 0) << first.err;
    for (const char* threads : {"QUILBAR_THREADS=2", "QUILBAR_THREADS=7"}) {
      SCOPED_TRACE(threads);
      ScratchDir more;
      more.copy_from_source(example);
      const RunResult r = more.run_with_environment(threads);
      EXPECT_EQ(r.exit_status, 0);
      EXPECT_EQ(r.out, first.out);
      EXPECT_TRUE(folder_snapshot(more) == folder_snapshot(one));
    }
  }
}

// A wave file that cannot be made part-way (its name held by a folder): the
// same report after the same console records, nothing replaced, on one
// thread or several. A value that is no thread count is passed over.
TEST(thread_count, a_fault_part_way_is_the_same_on_any_number_of_threads) {
  RunResult first;
  for (const char* threads : {"QUILBAR_THREADS=1", "QUILBAR_THREADS=2", "QUILBAR_THREADS=7",
                              "QUILBAR_THREADS=0", "QUILBAR_THREADS=many"}) {
    SCOPED_TRACE(threads);
    ScratchDir dir;
    dir.copy_from_source("examples/coast_year");
    fs::create_directory(dir.file("OutputStationKRV_wave010.wave"));
    const auto before = folder_snapshot(dir);
    const RunResult r = dir.run_with_environment(threads);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_EQ(r.err,
              "quilbar: OutputStationKRV_wave010.wave: cannot create file: Is a directory\n");
    EXPECT_TRUE(folder_snapshot(dir) == before);
    if (first.exit_status == -1)
      first = r;
    EXPECT_EQ(r.out, first.out);
  }
}

}  // namespace
