// The wave-model input phase run through the built program: the count and
// echo lines, and each of the phase's error stops with its exact text.
#include <gtest/gtest.h>

#include <string>

#include "tests/support.h"

namespace {

using testing_support::crlf_records;
using testing_support::RunResult;
using testing_support::ScratchDir;

const std::string& separator = testing_support::separator_record;
const std::string pause_prompt =
    crlf_records({" quilbar Pause - Enter command<CR> or <CR> to continue."});

std::string closing_triple() {
  return crlf_records({"", separator, ""});
}

// A small time-series case: 2 stations, 3 events, a 4 x 3 grid.
struct WaveCase {
  std::string control = "SIM case.sim\nSTD case.std\nSEL selhts.out\nDEP case.dep\n";
  std::string std_file = "! KRV-Wave station list\n       2 !kout\n    2    3\n    4    1\n";
  std::string station_output =
      "1 2 3 1.5 8.0 270.0\n"
      "2 4 1 1.25 7.5 265.5\n"
      "3 2 3 1.75 8.5 275.0\n"
      "4 4 1 1.5 8.0 260.25\n"
      "5 2 3 2.0 9.0 280.0\n"
      "6 4 1 1.0 6.5 250.0\n";
  std::string dep =
      "4 3 25.0 25.0\n"
      "    10.000000    11.000000    12.000000    13.000000\n"
      "    14.000000    15.000000    16.000000    17.000000\n"
      "    18.000000    19.000000    20.000000    21.000000\n";
  std::string sim = "bay 500000.0 4000000.0 30.0\n";
  std::string frequency = "50.0\n30.0\n20.0\n";

  RunResult run(const ScratchDir& dir) const {
    dir.write("quilbar.ctrl", control);
    dir.write("case.std", std_file);
    dir.write("selhts.out", station_output);
    dir.write("case.dep", dep);
    dir.write("case.sim", sim);
    dir.write("freq.txt", frequency);
    return dir.run();
  }
};

std::string station_count_block(int count) {
  char line[80];
  std::snprintf(line, sizeof line, " Number of wave observation stations: %12d", count);
  return crlf_records({line}) + closing_triple();
}

std::string event_count_block(int input_events, int output_events) {
  char in[80], out[80];
  std::snprintf(in, sizeof in, " Number of input wave events:  %12d", input_events);
  std::snprintf(out, sizeof out, " Number of output wave events: %12d", output_events);
  return crlf_records({in, out}) + closing_triple();
}

const std::string placement_block =
    crlf_records({" Wave model grid origin: ", "    X (Easting):     500000.000000000     ",
                  "    Y (Northing):    4000000.00000000     ",
                  " Wave model grid rotation azimuth (deg):    30.0000000000000     "}) +
    closing_triple();

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(wavemodel_end_to_end, time_series_case_prints_counts_and_grid_placement) {
  ScratchDir dir;
  const RunResult r = WaveCase{}.run(dir);
  const std::string block = station_count_block(2) + event_count_block(3, 3) + placement_block;
  const std::size_t at = r.out.find(block);
  ASSERT_NE(at, std::string::npos) << r.out;
  // The block follows the loading lines directly.
  EXPECT_TRUE(
      ends_with(r.out.substr(0, at),
                crlf_records({" Loading KRV-Wave *.dep file: case.dep"}) + closing_triple()));
}

TEST(wavemodel_end_to_end, example_case_prints_counts_and_grid_placement) {
  ScratchDir dir;
  dir.copy_from_source("examples/map_case");
  const RunResult r = dir.run();
  const std::string block =
      crlf_records({" Loading KRV-Wave *.dep file: beach.dep"}) + closing_triple() +
      station_count_block(3) + event_count_block(6, 6) +
      crlf_records({" Wave model grid origin: ", "    X (Easting):     512000.000000000     ",
                    "    Y (Northing):    4125000.00000000     ",
                    " Wave model grid rotation azimuth (deg):    30.0000000000000     "}) +
      closing_triple();
  EXPECT_NE(r.out.find(block), std::string::npos) << r.out;
}

TEST(wavemodel_end_to_end, steady_state_counts_output_events_from_the_series) {
  ScratchDir dir;
  WaveCase c;
  c.control += "KRV 0\nTIM 3.0\nTSO 8760.0\nFRE freq.txt\n";
  const RunResult r = c.run(dir);
  const std::string block = station_count_block(2) + event_count_block(3, 2920) + placement_block;
  EXPECT_NE(r.out.find(block), std::string::npos) << r.out;
}

TEST(wavemodel_end_to_end, plain_station_list_stops_at_a_value_that_is_no_integer) {
  ScratchDir dir;
  WaveCase c;
  c.std_file = "1 0 2 x 5\n";
  const RunResult r = c.run(dir);
  EXPECT_NE(r.out.find(station_count_block(2) + event_count_block(3, 3)), std::string::npos)
      << r.out;
}

TEST(wavemodel_end_to_end, error_stops) {
  struct Case {
    const char* what;
    WaveCase input;
    std::string tail;  // the end of standard output before the pause prompt
  };
  WaveCase no_station;
  no_station.std_file = "1 0 1 0 0\n";
  WaveCase no_marker;
  no_marker.std_file = "! a station list without its count record\n    2    3\n";
  WaveCase zero_step;
  zero_step.control += "KRV 0\nFRE freq.txt\n";
  WaveCase tiny_step;
  tiny_step.control += "KRV 0\nTIM 1.0E-30\nFRE freq.txt\n";
  WaveCase negative_length;
  negative_length.control += "KRV 0\nTSO -72\nFRE freq.txt\n";
  WaveCase huge_length;
  huge_length.control += "KRV 0\nTIM 1.0\nTSO 3e9\nFRE freq.txt\n";
  WaveCase bad_start;  // month 13, hour 25
  bad_start.control += "STA 20121332250000\n";
  WaveCase outside_i;
  outside_i.station_output.replace(outside_i.station_output.rfind("6 4 1"), 5, "6 5 1");
  WaveCase outside_j;
  outside_j.station_output.replace(outside_j.station_output.rfind("5 2 3"), 5, "5 2 0");
  WaveCase empty_dep;
  empty_dep.dep = "";
  WaveCase no_events;  // fewer records than stations: no cell is known
  no_events.station_output = "1 2 3 1.5 8.0 270.0\n";

  const std::string no_station_message =
      crlf_records({" ERROR: No wave observation stations found in *.std file: \"case.std\""});
  const std::string timestep_message = crlf_records(
      {" ERROR: Output time series timestep (hours) must not be 0 in steady state mode!"});
  const std::string too_many_message =
      crlf_records({" ERROR: Output time series length / timestep gives too many time steps!"});
  const Case cases[] = {
      {"no station", no_station, station_count_block(0) + no_station_message},
      {"no count record", no_marker, station_count_block(0) + no_station_message},
      {"time step 0", zero_step, station_count_block(2) + timestep_message},
      {"too many output events", tiny_step, station_count_block(2) + too_many_message},
      {"series length 3e9 hours", huge_length, station_count_block(2) + too_many_message},
      {"negative series length", negative_length,
       station_count_block(2) +
           crlf_records({" ERROR: Output time series length (hours) must not be negative!"})},
      {"start that is no date", bad_start,
       event_count_block(3, 3) +
           crlf_records({" ERROR: Start Date & Time <yyyymmddHHMMSS> is not a valid date: ",
                         "        20121332250000"})},
      {"i outside", outside_i,
       event_count_block(3, 3) +
           crlf_records({" ERROR: Wave observation station           2  lies outside the "
                         "KRV-Wave grid!"})},
      {"j outside", outside_j,
       event_count_block(3, 3) +
           crlf_records({" ERROR: Wave observation station           1  lies outside the "
                         "KRV-Wave grid!"})},
      {"no events", no_events,
       event_count_block(0, 0) +
           crlf_records({" ERROR: Wave observation station           1  lies outside the "
                         "KRV-Wave grid!"})},
      {"empty depth file", empty_dep,
       event_count_block(3, 3) +
           crlf_records({" ERROR: Input *.dep file specified as: \"case.dep\" is empty!"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    const RunResult r = c.input.run(dir);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_TRUE(ends_with(r.out, c.tail + pause_prompt)) << r.out;
    EXPECT_EQ(r.err, "");
  }
}

TEST(wavemodel_end_to_end, unreadable_records_end_the_run_with_the_io_report) {
  struct Case {
    const char* what;
    WaveCase input;
    std::string tail;  // the end of standard output
    std::string err;   // the I/O layer's report
  };
  WaveCase heading;
  heading.station_output = "KRV-Wave station output\n" + heading.station_output;
  WaveCase short_output;  // a blank record is counted but holds no values
  short_output.station_output += "\n";
  short_output.station_output.erase(0, short_output.station_output.find('\n') + 1);
  WaveCase bad_sim;
  bad_sim.sim = "two words 500000.0 4000000.0 30.0\n";
  WaveCase bad_count;
  bad_count.std_file = "! list\n  2a !kout\n";
  WaveCase empty_std;
  empty_std.std_file = "";
  WaveCase short_dep;
  short_dep.dep = "4 4 25.0 25.0\n    10.000000\n";

  const Case cases[] = {
      {"a heading in the station output", heading, event_count_block(3, 3),
       "quilbar: selhts.out:1: cannot read an integer\n"},
      {"the station output ends early", short_output, event_count_block(3, 3),
       "quilbar: selhts.out:7: end of file\n"},
      {"a name of two words", bad_sim, event_count_block(3, 3),
       "quilbar: case.sim:1: cannot read a real\n"},
      {"a count field that is no integer", bad_count, closing_triple(),
       "quilbar: case.std:2: cannot read an integer\n"},
      {"an empty station list", empty_std, closing_triple(), "quilbar: case.std:1: end of file\n"},
      {"depth rows past the end", short_dep, event_count_block(3, 3),
       "quilbar: case.dep:3: end of file while reading reals\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    const RunResult r = c.input.run(dir);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_TRUE(ends_with(r.out, c.tail)) << r.out;
    EXPECT_EQ(r.err, c.err);
  }
}

}  // namespace
