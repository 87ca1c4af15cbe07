// A seeded random order: the same seed gives byte-identical outputs on every
// run, another seed another order of the same records; without a seed (or
// with a value that is not a non-negative integer) the echo shows none.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support.h"

namespace {

using testing_support::RunResult;
using testing_support::ScratchDir;

// The map example in steady-state mode, 300 steps in random order.
RunResult run_random(ScratchDir& dir, const std::string& seed_record) {
  dir.copy_from_source("examples/map_case");
  testing_support::drop_report_record(dir);
  std::string ctrl = dir.read("quilbar.ctrl");
  ctrl.replace(ctrl.find("\r\nKRV 1 "), 8, "\r\nKRV 0 ");
  dir.write("quilbar.ctrl", ctrl + "FRE freq.txt\r\nTSO 300.0\r\nRAN 1\r\n" + seed_record);
  dir.write("freq.txt", "30.0\r\n25.0\r\n15.0\r\n10.0\r\n10.0\r\n10.0\r\n");
  return dir.run();
}

std::vector<std::string> sorted_records(const std::string& text) {
  std::vector<std::string> records;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    records.push_back(text.substr(at, end - at));
  std::sort(records.begin(), records.end());
  return records;
}

TEST(random_seed, same_seed_same_outputs_other_seed_other_order) {
  const std::string echo_end = " Random seed:               20121231\r\n\r\n  ****";
  ScratchDir a, b, c, unseeded;
  const RunResult ra = run_random(a, "SEED 20121231\r\n");
  const RunResult rb = run_random(b, "SEE 20121231\r\n");
  const RunResult rc = run_random(c, "SEED 7\r\n");
  const RunResult ru = run_random(unseeded, "");
  for (const RunResult* r : {&ra, &rb, &rc, &ru}) ASSERT_EQ(r->exit_status, 0) << r->err;
  EXPECT_NE(ra.out.find("Output TGM time series file name: Dunelot_TGM.map\r\n" + echo_end),
            std::string::npos)
      << ra.out;
  EXPECT_EQ(ra.out, rb.out);
  EXPECT_EQ(a.read("Dunelot_TGM.map"), b.read("Dunelot_TGM.map"));
  EXPECT_NE(a.read("Dunelot_TGM.map"), c.read("Dunelot_TGM.map"));
  EXPECT_EQ(sorted_records(a.read("Dunelot_TGM.map")), sorted_records(c.read("Dunelot_TGM.map")));
  EXPECT_EQ(ru.out.find("Random seed"), std::string::npos);
  // Without the seed the console is the unseeded run's, line for line.
  std::string without = ra.out;
  without.erase(without.find(" Random seed:"), echo_end.size() - 8);
  EXPECT_EQ(without, ru.out);
}

TEST(random_seed, a_value_that_is_no_seed_is_passed_over) {
  for (const char* value : {"-5", "x", "1.5", "99999999999999999999"}) {
    SCOPED_TRACE(value);
    ScratchDir dir;
    const RunResult r = run_random(dir, std::string("SEED ") + value + "\r\n");
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(r.out.find("Random seed"), std::string::npos);
  }
}

}  // namespace
