// The program's options: what each answers, and that nothing is written where
// nothing may be (help, version, a wrong argument, a folder that is not there,
// a check-only run).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "tests/support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::RunResult;
using testing_support::ScratchDir;

// Each command line in a case folder: its status, its standard error (or the
// start of its standard output), and the folder left exactly as it was.
TEST(command_line, options_that_write_nothing) {
  struct Case {
    const char* arguments;
    int status;
    std::string err;
    std::string out_start;
  };
  const Case cases[] = {
      {"--help", 0, "", "Usage: quilbar [-C DIR | --directory=DIR] [--check]\n"},
      {"--check --help", 0, "", "Usage: quilbar"},
      {"--version", 0, "", "quilbar 1.2.0\nbuilt for Linux"},
      {"-x", 2, "quilbar: unknown argument '-x' (quilbar --help lists the options)\n", ""},
      {"--check extra", 2, "quilbar: unknown argument 'extra' (quilbar --help lists the options)\n",
       ""},
      {"--help=yes", 2,
       "quilbar: unknown argument '--help=yes' (quilbar --help lists the options)\n", ""},
      {"-C", 2, "quilbar: option '-C' needs a folder (quilbar --help lists the options)\n", ""},
      {"-C missing", 2, "quilbar: missing: cannot enter folder: No such file or directory\n", ""},
      {"--directory=missing --check", 2,
       "quilbar: missing: cannot enter folder: No such file or directory\n", ""},
      {"-C quilbar.ctrl", 2, "quilbar: quilbar.ctrl: cannot enter folder: Not a directory\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    ScratchDir dir;
    dir.copy_from_source("examples/dunelot_case");
    const auto before = testing_support::folder_snapshot(dir);
    const RunResult r = dir.run_with_arguments(c.arguments);
    EXPECT_EQ(r.exit_status, c.status);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out.substr(0, c.out_start.size()), c.out_start);
    if (c.out_start.empty()) {
      EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(testing_support::folder_snapshot(dir), before);
  }
}

// A check-only run of each example, also through -C from the folder above:
// the normal run's console with "Would write" for "Writing", the report's
// checks and one closing record; no file made; and an error stop prints and
// ends as the run does.
TEST(command_line, check_only_runs_print_the_run_and_write_nothing) {
  for (const char* example : {"examples/map_case", "examples/dunelot_case",
                              "examples/steady_random_case", "examples/coast_year"}) {
    SCOPED_TRACE(example);
    ScratchDir dir;
    fs::create_directory(dir.file("case"));
    for (const auto& e : fs::directory_iterator(fs::path(QUILBAR_SOURCE_DIR) / example)) {
      if (e.is_regular_file())
        fs::copy_file(e.path(), dir.file("case/" + e.path().filename().string()));
    }
    const auto before = testing_support::folder_snapshot(dir);
    const RunResult check = dir.run_with_arguments("-C case --check");
    EXPECT_EQ(testing_support::folder_snapshot(dir), before);

    const RunResult real = dir.run_with_arguments("--directory=case");
    ASSERT_EQ(real.exit_status, 0) << real.err;
    EXPECT_EQ(check.exit_status, 0);
    EXPECT_EQ(check.err, "");
    std::string expected = real.out;
    for (std::size_t at = 0; (at = expected.find("\r\n Writing ", at)) != std::string::npos;)
      expected.replace(at, 11, "\r\n Would write ");
    ASSERT_TRUE(check.out.starts_with(expected)) << check.out;
    const std::string tail = check.out.substr(expected.size());
    EXPECT_TRUE(tail.starts_with(" Check: ")) << tail;
    EXPECT_TRUE(tail.ends_with("\r\n Check only: no file was written.\r\n")) << tail;

    // The same case with an error in its inputs: the same console and status.
    dir.write("case/quilbar.ctrl", dir.read("case/quilbar.ctrl") + "STA 20121332250000\n");
    const RunResult bad_real = dir.run_with_arguments("-C case");
    const RunResult bad_check = dir.run_with_arguments("-C case --check");
    EXPECT_EQ(bad_real.exit_status, 1);
    EXPECT_EQ(bad_check.exit_status, 1);
    EXPECT_EQ(bad_check.out, bad_real.out);
  }
}

}  // namespace
