// Work spread over threads (QUILBAR_THREADS) changes nothing a user sees:
// console, exit status, every file, and the first fault reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "tests/support.h"
#include "textio/blocks_ahead.h"

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

// coast_year's station output (3.5 MB) is read in pieces of 1 MiB on more
// than one thread. A fault or an irregular record at a piece's first record,
// or a read that runs over into it from the record before, gives what one
// thread gives: the same console, report of the fault (file, record, reason)
// and files.
TEST(thread_count, station_output_faults_at_piece_starts) {
  struct Case {
    const char* what;
    int before;               // records before the piece's first that the change starts at
    const char* replacement;  // for that record, without its line end
  };
  const Case cases[] = {
      {"no number at a piece's first record", 0, "x 6 21 1.09 6.6 279"},
      {"a read over into a piece's first record", 1, "7 6 21\n1.09 6.6 279"},
      {"a slash in a piece's first record", 0, "7 6 21 /"},
      {"no number on the record before", 1, "7 6 21 1.09 6.6 west"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RunResult first;
    std::map<std::string, std::string> first_files;
    for (const char* threads : {"QUILBAR_THREADS=1", "QUILBAR_THREADS=2", "QUILBAR_THREADS=7"}) {
      SCOPED_TRACE(threads);
      ScratchDir dir;
      dir.copy_from_source("examples/coast_year");
      testing_support::drop_report_record(dir);
      std::string text = dir.read("selhts.out");
      std::size_t start = text.find('\n', (std::size_t{1} << 20) - 1) + 1;
      for (int k = 0; k < c.before; ++k) start = text.rfind('\n', start - 2) + 1;
      text.replace(start, text.find('\n', start) - start, c.replacement);
      dir.write("selhts.out", text);
      const RunResult r = dir.run_with_environment(threads);
      if (first.exit_status == -1) {
        first = r;
        first_files = folder_snapshot(dir);
        continue;
      }
      EXPECT_EQ(r.exit_status, first.exit_status);
      EXPECT_EQ(r.out, first.out);
      EXPECT_EQ(r.err, first.err);
      EXPECT_TRUE(folder_snapshot(dir) == first_files);
    }
  }
}

}  // namespace

namespace {

std::string letters(const int& base, std::int32_t k, std::string& text) {
  text.assign(static_cast<std::size_t>(k % 5 + 1), static_cast<char>('a' + (base + k) % 26));
  return text;
}
void format_letters(const int& base, std::int32_t k, std::string& text) {
  letters(base, k, text);
}
void format_failing_at_5(const int& base, std::int32_t k, std::string& text) {
  if (k == 5)
    throw std::runtime_error("no room");
  letters(base, k, text);
}

// How far ahead blocks are formatted: twice the threads, none on one thread
// or for one block, fewer (or none) where the blocks in flight would pass
// 64 MiB; and the blocks come back in order, each as formatted alone.
TEST(thread_count, blocks_formatted_ahead) {
  struct Case {
    unsigned threads;
    std::int32_t count;
    std::uint64_t bytes;
    std::int32_t window;
  };
  const Case cases[] = {{1, 100, 1000, 0},      {2, 1, 1000, 0},         {2, 100, 1000, 4},
                        {7, 100, 1000, 14},     {2, 100, 16u << 20, 3},  {2, 100, 20u << 20, 2},
                        {2, 100, 30u << 20, 0}, {256, 100, 1u << 20, 63}};
  const int base = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.threads) + " threads, " + std::to_string(c.bytes) + " bytes");
    textio::BlocksAhead<int> ahead(base, format_letters, c.count, c.threads, c.bytes);
    EXPECT_EQ(ahead.window(), c.window);
    if (ahead.window() == 0)
      continue;
    for (std::int32_t k = 0; k < c.count; ++k) {
      std::string alone;
      ASSERT_EQ(std::string(ahead.take(k)), letters(base, k, alone)) << k;
    }
  }
  // A block that cannot be formatted: its fault comes to the writer when it
  // takes that block, the blocks before it come whole, and the workers end.
  textio::BlocksAhead<int> failing(base, format_failing_at_5, 100, 2, 1000);
  for (std::int32_t k = 0; k < 5; ++k) {
    std::string alone;
    EXPECT_EQ(std::string(failing.take(k)), letters(base, k, alone));
  }
  EXPECT_THROW(failing.take(5), std::runtime_error);
}

}  // namespace
