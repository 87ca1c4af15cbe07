// Damaged inputs run through the built program, file by file: cut in the middle
// of a record and after a whole one, empty, a non-number where a number
// belongs, overlong records, NUL bytes, a directory in the file's place, no
// read permission, and LF line ends in place of CR LF. Each case states the
// whole outcome: exit status, standard error, the console text, and what is
// left on disk. A run that fails is made twice, once in a clean directory
// (it must leave no output file at all) and once over the outputs of an
// earlier run (they must stay byte for byte as they were); no run may leave a
// temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::leftover_temporaries;
using testing_support::RunResult;
using testing_support::ScratchDir;
using namespace std::string_literals;

const std::string& separator = testing_support::separator_record;
const std::string triple = "\r\n" + separator + "\r\n\r\n";
const std::string& pause_prompt = testing_support::pause_prompt;
const std::string rule_line = " ========================================================";

// The map case, the Dunelot case, and the map case in steady-state mode with
// a frequency file whose every value shows in the output (100 steps, so one
// percent is one step).
enum class Example { map, dunelot, steady };

const char* const steady_frequencies = "30.0\r\n25.0\r\n15.0\r\n10.0\r\n10.0\r\n10.0\r\n";
// 100 / 6 in 4-byte reals, the value of an entry the file does not give.
const char* const share = "16.666666";

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Replaces the first `from` in a file of the scratch directory.
void substitute(const ScratchDir& dir, const std::string& name, const std::string& from,
                const std::string& to) {
  std::string text = dir.read(name);
  const std::size_t at = text.find(from);
  if (at == std::string::npos) {
    ADD_FAILURE() << name << " does not hold \"" << from << "\"";
    return;
  }
  text.replace(at, from.size(), to);
  dir.write(name, text);
}

void set_up(const ScratchDir& dir, Example e) {
  dir.copy_from_source(e == Example::dunelot ? "examples/dunelot_case" : "examples/map_case");
  testing_support::drop_report_record(dir);
  if (e == Example::steady) {
    substitute(dir, "quilbar.ctrl", "\r\nKRV 1 ", "\r\nKRV 0 ");
    dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "FRE freq.txt\r\nTSO 100.0\r\n");
    dir.write("freq.txt", steady_frequencies);
  }
}

// Every file a run of the example may write.
std::vector<std::string> output_names(Example e) {
  if (e == Example::dunelot) {
    return {"beach_new.dun", "Dunelot_waves.dun", "OutputStationKRV_wave001.wave",
            "OutputStationKRV_wave002.wave", "OutputStationKRV_wave003.wave"};
  }
  return {"Dunelot_TGM.map"};
}

std::string earlier_output(const std::string& name) {
  return " an earlier run's " + name + "\r\n";
}

// Temporary files anywhere under the scratch directory, one name a line.

struct CleanRun {
  RunResult result;
  std::map<std::string, std::string> outputs;  // the files the run wrote
};

// The undamaged example, run once per test program.
const CleanRun& clean_run(Example e) {
  static std::map<Example, CleanRun> runs;
  auto found = runs.find(e);
  if (found != runs.end())
    return found->second;
  CleanRun clean;
  ScratchDir dir;
  set_up(dir, e);
  clean.result = dir.run();
  if (clean.result.exit_status != 0 || !clean.result.err.empty())
    ADD_FAILURE() << "the undamaged example fails: " << clean.result.err;
  for (const auto& name : output_names(e)) {
    if (dir.exists(name))
      clean.outputs[name] = dir.read(name);
  }
  return runs.emplace(e, clean).first->second;
}

// The clean console text through the end of the first `anchor`.
std::string clean_through(Example e, const std::string& anchor) {
  const std::string& out = clean_run(e).result.out;
  const std::size_t at = out.find(anchor);
  if (at == std::string::npos)
    return "<the undamaged run prints no \"" + anchor + "\">";
  return out.substr(0, at + anchor.size());
}

std::string banner() {
  return clean_through(Example::map, rule_line + "\r\n\r\n\r\n");
}

std::string count_line(const char* text, int count) {
  char line[100];
  std::snprintf(line, sizeof line, " %s%12d\r\n", text, count);
  return line;
}

// Points in the clean console text where damaged runs stop.
const std::string loading_done = " Loading KRV-Wave *.dep file: beach.dep\r\n" + triple;
const std::string stations_done = count_line("Number of wave observation stations: ", 3) + triple;
const std::string events_done = count_line("Number of output wave events: ", 6) + triple;
const std::string sim_done =
    " Wave model grid rotation azimuth (deg):    30.0000000000000     \r\n" + triple;
const std::string shore_echo_done =
    " Dunelot Grid Cell Resolution (DX):   -1.00000000000000     \r\n" + triple;
const std::string shdx_loading = " Loading Dunelot DX *.shdx file: beach.shdx\r\n";
const std::string outside_grid =
    " ERROR: Wave observation station           1  lies outside the KRV-Wave grid!\r\n";
const std::string too_few_widths =
    " ERROR: Input *.shdx file specified as: \"beach.shdx\r\n"
    " \" holds too few valid cell widths!\r\n";

using Damage = std::function<void(const ScratchDir&)>;

// The file cut right after the first `kept` (the text that survives ends it).
Damage keep_through(const std::string& name, const std::string& kept) {
  return [=](const ScratchDir& dir) {
    const std::string text = dir.read(name);
    const std::size_t at = text.find(kept);
    if (at == std::string::npos) {
      ADD_FAILURE() << name << " does not hold \"" << kept << "\"";
      return;
    }
    dir.write(name, text.substr(0, at + kept.size()));
  };
}

Damage replace_text(const std::string& name, const std::string& from, const std::string& to) {
  return [=](const ScratchDir& dir) { substitute(dir, name, from, to); };
}

Damage replace_file(const std::string& name, const std::string& content) {
  return [=](const ScratchDir& dir) { dir.write(name, content); };
}

Damage make_directory(const std::string& name) {
  return [=](const ScratchDir& dir) {
    fs::remove(dir.file(name));
    fs::create_directory(dir.file(name));
    dir.write(name + "/inside", "a file in the directory\r\n");
  };
}

Damage make_unreadable(const std::string& name) {
  return [=](const ScratchDir& dir) { fs::permissions(dir.file(name), fs::perms::none); };
}

// Every CR LF of the file becomes LF.
Damage lf_line_ends(const std::string& name) {
  return [=](const ScratchDir& dir) {
    std::string text = dir.read(name);
    std::string lf;
    for (std::size_t k = 0; k < text.size(); ++k) {
      if (!(text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n'))
        lf += text[k];
    }
    dir.write(name, lf);
  };
}

std::string repeated(const std::string& piece, int times) {
  std::string s;
  for (int k = 0; k < times; ++k) s += piece;
  return s;
}

const std::string x100000(100000, 'x');

std::string with_nul(const std::string& before, const std::string& after) {
  return before + '\0' + after;
}

// What a case expects on the console: the whole text, or how it ends.
struct Console {
  std::string text;
  bool whole = true;
};
Console exactly(const std::string& text) {
  return {text, true};
}
Console ending_with(const std::string& text) {
  return {text, false};
}

using Verify = std::function<void(const ScratchDir&, const RunResult&)>;

struct Case {
  std::string label;
  Damage damage;
  int status;
  std::string err;
  Console out;
  // Runs that end normally: checks of what they wrote; none means every
  // output is byte for byte the undamaged run's.
  Verify verify = nullptr;
  bool unprivileged = false;
  int file_size_blocks = 0;  // a limit on the size of any file written (512-byte blocks)
};

void expect_clean_outputs(Example e, const ScratchDir& dir) {
  const CleanRun& clean = clean_run(e);
  for (const auto& name : output_names(e)) {
    const auto written = clean.outputs.find(name);
    if (written == clean.outputs.end()) {
      EXPECT_FALSE(dir.exists(name)) << name;
    } else {
      EXPECT_EQ(dir.read(name), written->second) << name;
    }
  }
}

void check_case(Example e, const Case& c) {
  SCOPED_TRACE(c.label);
  const bool fails = c.status != 0;
  for (int pass = 0; pass < (fails ? 2 : 1); ++pass) {
    const bool over_earlier_outputs = pass == 1;
    SCOPED_TRACE(over_earlier_outputs ? "over an earlier run's outputs" : "in a clean directory");
    ScratchDir dir;
    set_up(dir, e);
    if (over_earlier_outputs) {
      for (const auto& name : output_names(e)) dir.write(name, earlier_output(name));
    }
    c.damage(dir);
    const RunResult r = c.unprivileged           ? dir.run_as_nobody()
                        : c.file_size_blocks > 0 ? dir.run_with_file_size_limit(c.file_size_blocks)
                                                 : dir.run();
    EXPECT_EQ(r.exit_status, c.status);
    EXPECT_EQ(r.err, c.err);
    if (c.out.whole) {
      EXPECT_EQ(r.out, c.out.text);
    } else {
      EXPECT_TRUE(ends_with(r.out, c.out.text)) << "console:\n"
                                                << r.out << "\nexpected end:\n"
                                                << c.out.text;
    }
    EXPECT_EQ(leftover_temporaries(dir), "");
    if (fails) {
      for (const auto& name : output_names(e)) {
        if (over_earlier_outputs) {
          EXPECT_EQ(dir.read(name), earlier_output(name)) << name;
        } else {
          EXPECT_FALSE(dir.exists(name)) << name;
        }
      }
    } else if (c.verify) {
      c.verify(dir, r);
    } else {
      expect_clean_outputs(e, dir);
    }
  }
}

void check_cases(Example e, const std::vector<Case>& cases) {
  for (const auto& c : cases) check_case(e, c);
}

std::string io_report(const std::string& text) {
  return "quilbar: " + text + "\n";
}

TEST(bad_input_catalogue, control_file) {
  const Example e = Example::map;
  const std::string clean = clean_run(e).result.out;
  const std::string map_written = " Writing output *.map file: Dunelot_TGM.map\r\n";
  const auto map_from_1900 = [](const ScratchDir& dir, const RunResult& r) {
    EXPECT_TRUE(contains(r.out, " Start Date & Time <yyyymmddHHMMSS>:         19000101000000\r\n"))
        << r.out;
    const std::string map = dir.read("Dunelot_TGM.map");
    EXPECT_TRUE(contains(map, " 01/01/1900 12:00:00 AM\r\n"));
    EXPECT_FALSE(contains(map, "2012"));
  };
  const auto time_step_0 = [](const ScratchDir& dir, const RunResult& r) {
    EXPECT_TRUE(contains(r.out, " Output time series timestep (hours):   0.0000000E+00\r\n"))
        << r.out;
    // Every step of the series then falls on the start.
    const std::string map = dir.read("Dunelot_TGM.map");
    EXPECT_TRUE(contains(map, " 03/15/2012 12:00:00 AM\r\n"));
    EXPECT_FALSE(contains(map, " 03/15/2012 01:00:00 AM\r\n"));
  };
  // The name is cut to its 255 characters; a text longer than a record starts
  // on a fresh one and fills records of a blank and 79 characters.
  const std::string s79 = std::string(1, ' ').append(79, 's').append("\r\n");
  const std::string name_cut_to_255 = " ERROR: Input *.sim file specified as: \"\r\n" + s79 + s79 +
                                      s79 + std::string(1, ' ').append(18, 's') +
                                      "\" not found!\r\n" + pause_prompt;

  check_cases(
      e,
      {
          {"cut in the middle of the DEP record", keep_through("quilbar.ctrl", "DEP beach.d"), 1,
           "",
           ending_with(" Loading KRV-Wave selhts.out file: selhts.out\r\n"
                       " ERROR: Input *.dep file specified as: \"beach.d\" not found!\r\n" +
                       pause_prompt)},
          {"cut after the DEP record: the later keywords keep their defaults",
           keep_through("quilbar.ctrl", "DEP beach.dep            ! KRV-Wave depth grid\r\n"), 0,
           "", ending_with(map_written), map_from_1900},
          {"empty: every parameter keeps its default", replace_file("quilbar.ctrl", ""), 1, "",
           ending_with(triple + " ERROR: Input *.sim file specified as: \"\" not found!\r\n" +
                       pause_prompt)},
          {"KRV value not a number: 0, steady-state mode, which needs a frequency file",
           replace_text("quilbar.ctrl", "KRV 1 ", "KRV x "), 1, "",
           ending_with(loading_done.substr(0, loading_done.size() - triple.size()) +
                       " ERROR: Input % frequencyoccur file specified as: \"\" not found!\r\n" +
                       pause_prompt)},
          {"TIM value not a number: the time step keeps its default 0",
           replace_text("quilbar.ctrl", "TIM 1.0", "TIM one"), 0, "", ending_with(map_written),
           time_step_0},
          {"a comment record of 100000 characters",
           [](const ScratchDir& dir) {
             dir.write("quilbar.ctrl", "! " + x100000 + "\r\n" + dir.read("quilbar.ctrl"));
           },
           0, "", exactly(clean)},
          {"100000 characters after a keyword's value",
           replace_text("quilbar.ctrl", "KRV 1 ", "KRV 1 " + x100000 + " "), 0, "", exactly(clean)},
          {"a SIM name of 100000 characters is cut to 255",
           replace_text("quilbar.ctrl", "SIM beach.sim", "SIM " + std::string(100000, 's')), 1, "",
           ending_with(name_cut_to_255)},
          {"a NUL byte in a keyword: no keyword",
           replace_text("quilbar.ctrl", "TIM 1.0", "T\0M 1.0"s), 1, "",
           exactly(banner() + " ERROR: Something is wrong with your input file!\r\n" +
                   pause_prompt)},
          {"a NUL byte in a number: the value cannot be read",
           replace_text("quilbar.ctrl", "TIM 1.0", "TIM 1\0.0"s), 0, "", ending_with(map_written),
           time_step_0},
          {"a NUL byte inside a file name: no such file",
           replace_text("quilbar.ctrl", "DEP beach.dep", "DEP beach\0.dep"s), 1, "",
           ending_with(" ERROR: Input *.dep file specified as: \"beach\0.dep\" not found!\r\n"s +
                       pause_prompt)},
          {"a directory in its place", make_directory("quilbar.ctrl"), 2,
           io_report("quilbar.ctrl: cannot open file: Is a directory"), exactly(banner())},
      });
}

TEST(bad_input_catalogue, station_list) {
  const Example e = Example::map;
  const std::string clean = clean_run(e).result.out;
  const std::string no_station =
      clean_through(e, loading_done) + count_line("Number of wave observation stations: ", 0) +
      triple + " ERROR: No wave observation stations found in *.std file: \"beach.std\"\r\n" +
      pause_prompt;
  const std::string marker_record = "       3              !kout   number of output stations";
  check_cases(
      e,
      {
          {"cut in the middle of the marker: no marker record, no station",
           keep_through("beach.std", "       3              !ko"), 1, "", exactly(no_station)},
          {"cut after the heading record", keep_through("beach.std", "three nearshore gauges\r\n"),
           1, "", exactly(no_station)},
          {"cut after the marker record: the count is all it is read for",
           keep_through("beach.std", marker_record + "\r\n"), 0, "", exactly(clean)},
          {"empty: its first record is required", replace_file("beach.std", ""), 2,
           io_report("beach.std:1: end of file"), exactly(clean_through(e, loading_done))},
          {"a letter in the count field", replace_text("beach.std", "       3 ", "       x "), 2,
           io_report("beach.std:2: cannot read an integer"),
           exactly(clean_through(e, loading_done))},
          {"plain form, a letter as the fourth value: the count is the last value read, 3",
           replace_file("beach.std", "1 0 3 x 5\r\n"), 0, "", exactly(clean)},
          {"plain form cut after four values: the count is the fourth, 0",
           replace_file("beach.std", "1 0 1 0"), 1, "", exactly(no_station)},
          {"a heading of 100000 characters",
           replace_text("beach.std", "! KRV-Wave", "! " + x100000 + " KRV-Wave"), 0, "",
           exactly(clean)},
          {"a marker record of 100000 characters",
           replace_text("beach.std", marker_record, marker_record + x100000), 0, "",
           exactly(clean)},
          {"a NUL byte in the count field", replace_text("beach.std", "       3 ", "      \0 3 "s),
           2, io_report("beach.std:2: cannot read an integer"),
           exactly(clean_through(e, loading_done))},
          {"a NUL byte in the heading", replace_text("beach.std", "KRV-Wave", "KRV\0-Wave"s), 0, "",
           exactly(clean)},
          {"a directory in its place", make_directory("beach.std"), 2,
           io_report("beach.std: cannot open file: Is a directory"),
           exactly(clean_through(e, " Loading KRV-Wave *.std file: beach.std\r\n"))},
      });
}

TEST(bad_input_catalogue, station_output) {
  const Example e = Example::map;
  const std::string clean = clean_run(e).result.out;
  // Records after the last whole event are never read: 17 records give the
  // outputs of the first 15.
  const auto five_events = [](const ScratchDir& dir, const RunResult& r) {
    EXPECT_TRUE(contains(r.out, count_line("Number of input wave events:  ", 5) +
                                    count_line("Number of output wave events: ", 5)))
        << r.out;
    ScratchDir fifteen;
    set_up(fifteen, Example::map);
    const std::string records = fifteen.read("selhts.out");
    std::size_t end = 0;
    for (int k = 0; k < 15; ++k) end = records.find("\r\n", end) + 2;
    fifteen.write("selhts.out", records.substr(0, end));
    const RunResult reference = fifteen.run();
    ASSERT_EQ(reference.exit_status, 0) << reference.err;
    EXPECT_EQ(dir.read("Dunelot_TGM.map"), fifteen.read("Dunelot_TGM.map"));
    EXPECT_EQ(r.out, reference.out);
  };
  const std::string record_4 = "    4    2    2    1.100    7.20   265.50";
  check_cases(
      e,
      {
          {"cut in the middle of the last record: its read runs past the end",
           keep_through("selhts.out", "   18    7    2    1.074"), 2,
           io_report("selhts.out:19: end of file"), exactly(clean_through(e, events_done))},
          {"cut after record 17: five whole events",
           keep_through("selhts.out", "   17    5    3    1.147    9.10   277.00\r\n"), 0, "",
           ending_with(" Writing output *.map file: Dunelot_TGM.map\r\n"), five_events},
          {"empty: no event, so no station has its cell", replace_file("selhts.out", ""), 1, "",
           exactly(clean_through(e, stations_done) +
                   count_line("Number of input wave events:  ", 0) +
                   count_line("Number of output wave events: ", 0) + triple + outside_grid +
                   pause_prompt)},
          {"a letter in a height", replace_text("selhts.out", "1.034", "1.O34"), 2,
           io_report("selhts.out:5: cannot read a real"), exactly(clean_through(e, events_done))},
          {"a heading record is read as data",
           [](const ScratchDir& dir) {
             dir.write("selhts.out", "KRV-Wave station output\r\n" + dir.read("selhts.out"));
           },
           2, io_report("selhts.out:1: cannot read an integer"),
           exactly(clean_through(e, events_done))},
          {"100000 characters of further values after the sixth",
           replace_text("selhts.out", record_4, record_4 + repeated(" 9.99", 20000)), 0, "",
           exactly(clean)},
          {"a NUL byte in a height", replace_text("selhts.out", "1.034", with_nul("1.0", "34")), 2,
           io_report("selhts.out:5: cannot read a real"), exactly(clean_through(e, events_done))},
          {"a directory in its place", make_directory("selhts.out"), 2,
           io_report("selhts.out: cannot open file: Is a directory"),
           exactly(clean_through(e, " Loading KRV-Wave selhts.out file: selhts.out\r\n"))},
      });
}

TEST(bad_input_catalogue, depth_file) {
  const Example e = Example::map;
  const std::string clean = clean_run(e).result.out;
  const std::string row_2 = "     7.600000     7.750000     8.000000     7.750000     8.050000";
  check_cases(
      e,
      {
          {"cut in the middle of record 10: the row's second record is missing",
           keep_through("beach.dep", "     3.550000     3.70"), 2,
           io_report("beach.dep:11: end of file while reading reals"),
           exactly(clean_through(e, events_done))},
          // The last record is the row j = 1, where no station stands.
          {"cut in the middle of the last record: its missing fields are 0",
           keep_through("beach.dep", "     2.750000     3.2"), 0, "", exactly(clean)},
          {"cut after the header", keep_through("beach.dep", "8 6 50.0 50.0\r\n"), 2,
           io_report("beach.dep:2: end of file: it cannot hold the 12 records of the depth grid"),
           exactly(clean_through(e, events_done))},
          {"cut in the middle of the header", replace_file("beach.dep", "8 6 5"), 2,
           io_report("beach.dep:2: end of file: it cannot hold the 12 records of the depth grid"),
           exactly(clean_through(e, events_done))},
          {"empty", replace_file("beach.dep", ""), 1, "",
           exactly(clean_through(e, events_done) +
                   " ERROR: Input *.dep file specified as: \"beach.dep\" is empty!\r\n" +
                   pause_prompt)},
          {"a letter in a depth field", replace_text("beach.dep", "     8.450000", "     8.45O000"),
           2, io_report("beach.dep:5: cannot read a real in columns 1-13"),
           exactly(clean_through(e, events_done))},
          {"a letter in the header: the grid has no rows, no station lies in it",
           replace_text("beach.dep", "8 6 50.0", "8 x 50.0"), 1, "",
           exactly(clean_through(e, events_done) + outside_grid + pause_prompt)},
          {"100000 characters after column 65", replace_text("beach.dep", row_2, row_2 + x100000),
           0, "", exactly(clean)},
          {"a header of 100000 characters",
           replace_text("beach.dep", "8 6 50.0 50.0", "8 6 50.0 50.0 " + x100000), 0, "",
           exactly(clean)},
          {"a NUL byte in a depth field",
           replace_text("beach.dep", "     8.450000", with_nul("     8.45", "000")), 2,
           io_report("beach.dep:5: cannot read a real in columns 1-13"),
           exactly(clean_through(e, events_done))},
          {"a directory in its place", make_directory("beach.dep"), 2,
           io_report("beach.dep: cannot open file: Is a directory"),
           exactly(clean_through(e, " Loading KRV-Wave *.dep file: beach.dep\r\n"))},
      });
}

TEST(bad_input_catalogue, simulation_file) {
  const Example e = Example::map;
  const std::string clean = clean_run(e).result.out;
  const std::string values = "beach_sim 512000.0 4125000.0 30.0";
  check_cases(
      e, {
             {"cut in the middle of the first record: no azimuth",
              replace_file("beach.sim", "beach_sim 512000.0 41"), 2,
              io_report("beach.sim:2: end of file"), exactly(clean_through(e, events_done))},
             {"cut after the first record", keep_through("beach.sim", values + "\r\n"), 0, "",
              exactly(clean)},
             {"empty", replace_file("beach.sim", ""), 2, io_report("beach.sim:1: end of file"),
              exactly(clean_through(e, events_done))},
             {"a word where the Northing belongs",
              replace_file("beach.sim", "beach_sim 512000.0 abc 30.0\r\n"), 2,
              io_report("beach.sim:1: cannot read a real"), exactly(clean_through(e, events_done))},
             {"a name of two words: the second is read as the Easting",
              replace_file("beach.sim", "beach sim 512000.0 4125000.0 30.0\r\n"), 2,
              io_report("beach.sim:1: cannot read a real"), exactly(clean_through(e, events_done))},
             {"100000 characters after the fourth value",
              replace_text("beach.sim", values, values + std::string(100000, ' ') + "x"), 0, "",
              exactly(clean)},
             {"a name of 100000 characters",
              replace_text("beach.sim", "beach_sim ", std::string(100000, 'n') + " "), 0, "",
              exactly(clean)},
             {"a NUL byte in the Northing",
              replace_text("beach.sim", "4125000.0", with_nul("4125", "000.0")), 2,
              io_report("beach.sim:1: cannot read a real"), exactly(clean_through(e, events_done))},
             {"a NUL byte in the name", replace_text("beach.sim", "beach_sim", "beach\0sim"s), 0,
              "", exactly(clean)},
             {"a directory in its place", make_directory("beach.sim"), 2,
              io_report("beach.sim: cannot open file: Is a directory"),
              exactly(clean_through(e, " Loading KRV-Wave *.sim file: beach.sim\r\n"))},
         });
}

// The map file of the steady-state example run with `frequencies` in place of
// its frequency file.
std::string steady_map_with(const std::string& frequencies) {
  ScratchDir dir;
  set_up(dir, Example::steady);
  dir.write("freq.txt", frequencies);
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0) << r.err;
  return dir.read("Dunelot_TGM.map");
}

// A damaged frequency file ends no run: what it lacks takes the default, so
// the map is the one of a whole file that spells those defaults out.
Verify map_as_with(const std::string& frequencies) {
  return [=](const ScratchDir& dir, const RunResult&) {
    const std::string map = dir.read("Dunelot_TGM.map");
    EXPECT_EQ(map, steady_map_with(frequencies));
    EXPECT_NE(map, clean_run(Example::steady).outputs.at("Dunelot_TGM.map"));
  };
}

TEST(bad_input_catalogue, frequency_file) {
  const Example e = Example::steady;
  const std::string clean = clean_run(e).result.out;
  const std::string d = share;
  const auto entries = [](std::initializer_list<std::string> values) {
    std::string text;
    for (const auto& v : values) text += v + "\r\n";
    return text;
  };
  check_cases(
      e, {
             {"cut in the middle of the third entry", keep_through("freq.txt", "25.0\r\n1"), 0, "",
              exactly(clean), map_as_with(entries({"30.0", "25.0", "1.0", d, d, d}))},
             {"cut after the second entry", keep_through("freq.txt", "25.0\r\n"), 0, "",
              exactly(clean), map_as_with(entries({"30.0", "25.0", d, d, d, d}))},
             {"empty", replace_file("freq.txt", ""), 0, "", exactly(clean),
              map_as_with(entries({d, d, d, d, d, d}))},
             {"a word for the second entry: it keeps the default, the third entry is read",
              replace_text("freq.txt", "25.0", "abc"), 0, "", exactly(clean),
              map_as_with(entries({"30.0", d, "15.0", "10.0", "10.0", "10.0"}))},
             {"100000 characters after the first entry's value",
              replace_text("freq.txt", "30.0", "30.0" + repeated(" 7.5", 25000)), 0, "",
              exactly(clean)},
             {"a NUL byte in the second entry", replace_text("freq.txt", "25.0", "25\0.0"s), 0, "",
              exactly(clean), map_as_with(entries({"30.0", d, "15.0", "10.0", "10.0", "10.0"}))},
             {"a directory in its place", make_directory("freq.txt"), 2,
              io_report("freq.txt: cannot open file: Is a directory"),
              exactly(clean_through(e, " Loading % frequency of occurrence file: freq.txt\r\n"))},
         });
}

std::string padded(const std::string& record) {
  return record.size() >= 255 ? record : record + std::string(255 - record.size(), ' ');
}

// The undamaged run's new *.dun file with one of its copied records replaced.
std::string clean_new_dun_with(const std::string& record, const std::string& replacement) {
  std::string dun = clean_run(Example::dunelot).outputs.at("beach_new.dun");
  const std::string old = padded(record) + "\r\n";
  const std::size_t at = dun.find(old);
  if (at == std::string::npos)
    return "<the undamaged run does not copy \"" + record + "\">";
  return dun.replace(at, old.size(), padded(replacement) + "\r\n");
}

// Console and wave files as in the undamaged run; the new *.dun file copies
// the damaged record as it stands.
Verify copied_record(const std::string& record, const std::string& replacement) {
  return [=](const ScratchDir& dir, const RunResult&) {
    const CleanRun& clean = clean_run(Example::dunelot);
    EXPECT_EQ(dir.read("beach_new.dun"), clean_new_dun_with(record, replacement));
    EXPECT_FALSE(dir.exists("Dunelot_waves.dun"));
    for (const char* wave : {"OutputStationKRV_wave001.wave", "OutputStationKRV_wave002.wave",
                             "OutputStationKRV_wave003.wave"}) {
      EXPECT_EQ(dir.read(wave), clean.outputs.at(wave)) << wave;
    }
  };
}

TEST(bad_input_catalogue, dunelot_control_file) {
  const Example e = Example::dunelot;
  const std::string clean = clean_run(e).result.out;
  const std::string title = "TITLE: Beach nourishment test, March 2012 storm";
  const std::string written =
      " Writing wave file header info to output *.dun file: beach.dun\r\n"
      " Writing wave file header info to output *.dun file: beach_new.dun\r\n"
      " Writing output *.wave file: OutputStationKRV_wave001.wave\r\n"
      " Writing output *.wave file: OutputStationKRV_wave002.wave\r\n"
      " Writing output *.wave file: OutputStationKRV_wave003.wave\r\n";
  // With nothing read from it the control file's grid stands (NX: 12, DX: 25,
  // no azimuth), and the copy has no record.
  const auto control_file_grid = [](const ScratchDir& dir, const RunResult& r) {
    EXPECT_TRUE(contains(r.out,
                         " Number of Dunelot Grid Cells (NX):           12\r\n"
                         " Dunelot Grid Cell Resolution (DX):    25.0000000000000     \r\n"))
        << r.out;
    EXPECT_FALSE(contains(r.out, "shdx"));
    EXPECT_EQ(dir.read("beach_new.dun"), "");
    for (const char* wave : {"OutputStationKRV_wave001.wave", "OutputStationKRV_wave002.wave",
                             "OutputStationKRV_wave003.wave"}) {
      const std::string records = dir.read(wave);
      EXPECT_EQ(std::count(records.begin(), records.end(), '\n'), 6) << wave;
    }
  };
  const std::string nx_padded = "NX: 12" + std::string(100000, ' ') + "7";
  check_cases(
      e,
      {
          {"cut in the middle of the DXFILE record", keep_through("beach.dun", "DXFILE: beach.sh"),
           1, "",
           exactly(clean_through(e, shore_echo_done) +
                   " ERROR: Input *.shdx file specified as: \"beach.sh\" not found!\r\n" +
                   pause_prompt)},
          {"cut after the DX record: no cell-width file is named",
           keep_through("beach.dun", "DX: -1\r\n"), 1, "",
           exactly(clean_through(e, shore_echo_done) +
                   " ERROR: Input *.shdx file specified as: \"\" not found!\r\n" + pause_prompt)},
          {"empty: the control file's grid, and an empty copy", replace_file("beach.dun", ""), 0,
           "", ending_with(written), control_file_grid},
          {"a word for NX: it keeps the control file's 12",
           replace_text("beach.dun", "NX: 12", "NX: twelve"), 0, "", exactly(clean),
           copied_record("NX: 12", "NX: twelve")},
          {"a record of 100000 characters is copied whole",
           replace_text("beach.dun", title, title + x100000), 0, "", exactly(clean),
           copied_record(title, title + x100000)},
          {"100000 blanks after the NX value", replace_text("beach.dun", "NX: 12", nx_padded), 0,
           "", exactly(clean), copied_record("NX: 12", nx_padded)},
          {"a NUL byte in a copied record is copied",
           replace_text("beach.dun", "TITLE: Beach", "TITLE: Be\0ach"s), 0, "", exactly(clean),
           copied_record(title, "TITLE: Be\0ach nourishment test, March 2012 storm"s)},
          {"a directory in its place", make_directory("beach.dun"), 2,
           io_report("beach.dun: cannot open file: Is a directory"),
           exactly(clean_through(e, sim_done))},
      });
}

TEST(bad_input_catalogue, cell_width_file) {
  const Example e = Example::dunelot;
  const std::string clean = clean_run(e).result.out;
  const std::string too_few = clean_through(e, shdx_loading) + too_few_widths + pause_prompt;
  const std::string first_ten = " 20.0 20.0 25.0 25.0 25.0 30.0 30.0 30.0 30.0 30.0";
  check_cases(
      e, {
             {"cut in the middle of the last record: cell 12 has no width",
              keep_through("beach.shdx", first_ten + "\r\n 35"), 1, "", exactly(too_few)},
             {"cut after the first record of widths",
              keep_through("beach.shdx", first_ten + "\r\n"), 1, "", exactly(too_few)},
             {"cut in the header", keep_through("beach.shdx", "beach case\r\n"), 1, "",
              exactly(too_few)},
             {"empty", replace_file("beach.shdx", ""), 1, "", exactly(too_few)},
             {"a word among the first ten widths",
              replace_text("beach.shdx", " 25.0 25.0 30.0", " 25.0 twenty 30.0"), 1, "",
              exactly(too_few)},
             {"a word among the last two widths",
              replace_text("beach.shdx", "35.0 35.0", "35.0 3x.0"), 1, "", exactly(too_few)},
             {"100000 characters after the tenth width",
              replace_text("beach.shdx", first_ten, first_ten + repeated(" abcd", 20000)), 0, "",
              exactly(clean)},
             {"a header record of 100000 characters",
              replace_text("beach.shdx", "beach case", x100000), 0, "", exactly(clean)},
             {"a NUL byte in a width",
              replace_text("beach.shdx", "35.0 35.0", with_nul("35.0 3", "5.0")), 1, "",
              exactly(too_few)},
             {"a directory in its place", make_directory("beach.shdx"), 2,
              io_report("beach.shdx: cannot open file: Is a directory"),
              exactly(clean_through(e, shdx_loading))},
         });
}

// Root reads any file; these runs go as the user nobody (see run_as_nobody).
TEST(bad_input_catalogue, unreadable_files) {
  const std::string unavailable = ScratchDir::nobody_unavailable();
  if (!unavailable.empty())
    GTEST_SKIP() << unavailable;
  const auto unreadable = [](const std::string& name) {
    return io_report(name + ": cannot open file: Permission denied");
  };
  struct FileCase {
    Example example;
    std::string name;
    std::string console;
  };
  const FileCase files[] = {
      {Example::map, "quilbar.ctrl", banner()},
      {Example::map, "beach.sim",
       clean_through(Example::map, " Loading KRV-Wave *.sim file: beach.sim\r\n")},
      {Example::map, "beach.std",
       clean_through(Example::map, " Loading KRV-Wave *.std file: beach.std\r\n")},
      {Example::map, "selhts.out",
       clean_through(Example::map, " Loading KRV-Wave selhts.out file: selhts.out\r\n")},
      {Example::map, "beach.dep",
       clean_through(Example::map, " Loading KRV-Wave *.dep file: beach.dep\r\n")},
      {Example::steady, "freq.txt",
       clean_through(Example::steady, " Loading % frequency of occurrence file: freq.txt\r\n")},
      {Example::dunelot, "beach.dun", clean_through(Example::dunelot, sim_done)},
      {Example::dunelot, "beach.shdx", clean_through(Example::dunelot, shdx_loading)},
  };
  for (const auto& f : files) {
    Case c{"no read permission on " + f.name, make_unreadable(f.name), 2, unreadable(f.name),
           exactly(f.console)};
    c.unprivileged = true;
    check_case(f.example, c);
  }
  // The same runs with the files readable end normally as that user too.
  ScratchDir dir;
  set_up(dir, Example::dunelot);
  const RunResult r = dir.run_as_nobody();
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_EQ(r.out, clean_run(Example::dunelot).result.out);
  expect_clean_outputs(Example::dunelot, dir);
}

// Records end in LF or CR LF on reading: a file with LF ends gives the same
// console text and the same outputs, byte for byte.
TEST(bad_input_catalogue, lf_line_ends_read_as_crlf) {
  struct LineEndCase {
    Example example;
    std::vector<std::string> files;
  };
  const std::vector<LineEndCase> cases = {
      {Example::map, {"quilbar.ctrl"}},
      {Example::map, {"beach.std"}},
      {Example::map, {"selhts.out"}},
      {Example::map, {"beach.dep"}},
      {Example::map, {"beach.sim"}},
      {Example::map, {"quilbar.ctrl", "beach.std", "selhts.out", "beach.dep", "beach.sim"}},
      {Example::steady, {"freq.txt"}},
      {Example::steady,
       {"quilbar.ctrl", "beach.std", "selhts.out", "beach.dep", "beach.sim", "freq.txt"}},
      {Example::dunelot, {"beach.dun"}},
      {Example::dunelot, {"beach.shdx"}},
      {Example::dunelot,
       {"quilbar.ctrl", "beach.std", "selhts.out", "beach.dep", "beach.sim", "beach.dun",
        "beach.shdx"}},
  };
  for (const auto& c : cases) {
    std::string label = "LF ends in";
    for (const auto& f : c.files) label += " " + f;
    check_case(c.example, {label,
                           [&c](const ScratchDir& dir) {
                             for (const auto& f : c.files) {
                               const std::string before = dir.read(f);
                               lf_line_ends(f)(dir);
                               EXPECT_NE(dir.read(f), before) << f << " had no CR LF";
                             }
                           },
                           0, "", exactly(clean_run(c.example).result.out)});
  }
}

// A file name holding a NUL byte names no file: cut at the NUL on its way to
// the system it would name another one (beach.sim for "beach.sim<NUL>x"), and
// an output would bypass its temporary. Inputs are not found, outputs are the
// I/O layer's report with the whole name.
TEST(bad_input_catalogue, file_names_holding_a_nul_byte_name_no_file) {
  // An input: the not-found message, as for any name that names no file.
  check_case(
      Example::map,
      {"SIM name beach.sim<NUL>x",
       replace_text("quilbar.ctrl", "SIM beach.sim", "SIM beach.sim\0x"s), 1, "",
       ending_with(" ERROR: Input *.sim file specified as: \"beach.sim\0x\" not found!\r\n"s +
                   pause_prompt)});
  // An output: the I/O layer's report with the whole name, the earlier
  // Dunelot_TGM.map untouched.
  check_case(Example::map,
             {"MAP name Dunelot_TGM.map<NUL>x",
              [](const ScratchDir& dir) {
                dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "MAP Dunelot_TGM.map\0x\r\n"s);
              },
              2, io_report("Dunelot_TGM.map\0x: cannot create file: the name holds a NUL byte"s),
              ending_with(sim_done)});
}

// Values and names that earlier answers got wrong, each given its sound
// answer by the record rules.
TEST(bad_input_catalogue, odd_values_and_names) {
  const std::string clean = clean_run(Example::map).result.out;
  const std::string map_name = "Output TGM time series file name: ";
  const std::string map_line = " Writing output *.map file: ";
  // The clean console with the map file under another (short) name.
  const auto map_named = [&](const std::string& name, bool written) {
    std::string text = clean;
    text.replace(text.find(map_name + "Dunelot_TGM.map"), map_name.size() + 15, map_name + name);
    const std::size_t line = text.find(map_line);
    return written ? text.replace(line + map_line.size(), 15, name) : text.substr(0, line);
  };
  const auto map_at = [](const std::string& name) {
    return [=](const ScratchDir& dir, const RunResult&) {
      EXPECT_EQ(dir.read(name), clean_run(Example::map).outputs.at("Dunelot_TGM.map"));
    };
  };
  const std::string long_name = std::string(251, 'm') + ".map";  // 255 bytes
  const auto zero_height = [](const ScratchDir& dir, const RunResult&) {
    const std::string map = dir.read("Dunelot_TGM.map");
    EXPECT_TRUE(contains(map, "\r\n  0.0000000E+00\r\n")) << map;
    EXPECT_FALSE(contains(map, "-0.0")) << map;
  };
  const std::string after_echo = " Loading KRV-Wave *.sim file: beach.sim\r\n";
  check_cases(
      Example::map,
      {
          {"a height of -0 is written as 0", replace_text("selhts.out", "1.034", "-0d0 "), 0, "",
           exactly(clean), zero_height},
          {"a time step of -0.0 is echoed as 0",
           replace_text("quilbar.ctrl", "TIM 1.0", "TIM -0.0"), 0, "",
           ending_with(" Writing output *.map file: Dunelot_TGM.map\r\n"),
           [](const ScratchDir&, const RunResult& r) {
             EXPECT_TRUE(
                 contains(r.out, " Output time series timestep (hours):   0.0000000E+00\r\n"))
                 << r.out;
           }},
          {"an exponent without its letter in a depth field",
           replace_text("beach.dep", "     8.450000", "        1.5-3"), 2,
           io_report("beach.dep:5: cannot read a real in columns 1-13"),
           exactly(clean_through(Example::map, events_done))},
          {"a tab in a depth field", replace_text("beach.dep", "     8.450000", "\t    8.450000"),
           2, io_report("beach.dep:5: cannot read a real in columns 1-13: it holds a tab"),
           exactly(clean_through(Example::map, events_done))},
          {"a map name of 255 bytes",
           [&](const ScratchDir& dir) {
             dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "MAP " + long_name + "\r\n");
           },
           0, "",
           ending_with(" Writing output *.map file: \r\n " + long_name.substr(0, 79) + "\r\n " +
                       long_name.substr(79, 79) + "\r\n " + long_name.substr(158, 79) + "\r\n " +
                       long_name.substr(237) + "\r\n"),
           map_at(long_name)},
          {"MAP '.': refused before it is announced",
           [](const ScratchDir& dir) {
             dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "MAP '.'\r\n");
           },
           2, io_report(".: cannot create file: Is a directory"), exactly(map_named(".", false))},
          {"MAP '': refused before it is announced",
           [](const ScratchDir& dir) {
             dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "MAP ''\r\n");
           },
           2, io_report(": cannot create file: No such file or directory"),
           exactly(map_named("", false))},
          {"an unclosed quotation mark ends with its record: the keywords after it stand",
           [](const ScratchDir& dir) {
             dir.write("quilbar.ctrl", "MAP 'out.map\r\n" + dir.read("quilbar.ctrl"));
           },
           0, "", exactly(map_named("out.map", true)), map_at("out.map")},
          {"a time step past the integer range of seconds",
           replace_text("quilbar.ctrl", "TIM 1.0", "TIM 596524"), 1, "",
           ending_with(clean_through(Example::map, sim_done)
                           .substr(clean_through(Example::map, sim_done).size() - sim_done.size()) +
                       " ERROR: Output time series timestep (hours) is too large!\r\n" +
                       pause_prompt)},
          {"a station list claiming 99999999 stations for 18 records: no station has a cell",
           replace_file("beach.std", "1 1 1 1 99999999\r\n"), 1, "",
           exactly(clean_through(Example::map, loading_done) +
                   count_line("Number of wave observation stations: ", 99999999) + triple +
                   count_line("Number of input wave events:  ", 0) +
                   count_line("Number of output wave events: ", 0) + triple + outside_grid +
                   pause_prompt)},
      });
  const std::string steady = clean_run(Example::steady).result.out;
  Case past_limit{"past a file-size limit: the write's report, nothing replaced",
                  [](const ScratchDir&) {}, 2,
                  io_report("Dunelot_TGM.map: cannot write: File too large"), exactly(steady)};
  past_limit.file_size_blocks = 8;
  check_cases(Example::steady,
              {{"a percentage whose repetition count passes the integer range",
                replace_text("freq.txt", "30.0", "1e30"), 1, "",
                ending_with(" ERROR: % frequency of occurrence file holds a percentage out of "
                            "range: \"\r\n freq.txt\"\r\n" +
                            pause_prompt)},
               past_limit});
}

// A console record of a text: a blank before it, CR LF after it.
std::string console_record(const std::string& text) {
  std::string record(1, ' ');
  record.append(text).append("\r\n");
  return record;
}

// What could destroy data or write nonsense: an output named like an input
// (any spelling, a hard link), names past the folder's limit once made from
// another, starts that are no date, series lengths out of range. Each ends
// before any output is replaced.
TEST(bad_input_catalogue, outputs_over_inputs_long_names_and_time_axis) {
  const auto added = [](const std::string& records) {
    return [=](const ScratchDir& dir) {
      dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + records);
    };
  };
  const auto refused = [](const std::string& name) {
    return ending_with(" ERROR: Output file would replace an input file: \"" + name + "\"\r\n" +
                       pause_prompt);
  };
  const auto not_a_date = [](const std::string& shown) {
    return ending_with(events_done +
                       " ERROR: Start Date & Time <yyyymmddHHMMSS> is not a valid "
                       "date: \r\n" +
                       std::string(22 - shown.size(), ' ') + shown + "\r\n" + pause_prompt);
  };
  check_cases(
      Example::map,
      {
          {"REPORT naming the control file", added("REPORT quilbar.ctrl\r\n"), 1, "",
           refused("quilbar.ctrl")},
          {"MAP naming the depth file", added("MAP beach.dep\r\n"), 1, "", refused("beach.dep")},
          {"MAP naming the station output by another spelling",
           [](const ScratchDir& dir) {
             fs::create_directory(dir.file("sub"));
             dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "MAP './sub/../selhts.out'\r\n");
           },
           1, "", refused("./sub/../selhts.out")},
          {"MAP naming a hard link to the simulation file",
           [](const ScratchDir& dir) {
             fs::create_hard_link(dir.file("beach.sim"), dir.file("link.map"));
             dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "MAP link.map\r\n");
           },
           1, "", refused("link.map")},
          {"a start of month 13 and hour 25",
           replace_text("quilbar.ctrl", "STA 20120315000000", "STA 20121332250000"), 1, "",
           not_a_date("20121332250000")},
          {"a start of 30 February",
           replace_text("quilbar.ctrl", "STA 20120315000000", "STA 20120230000000"), 1, "",
           not_a_date("20120230000000")},
          {"a start that is no number",
           replace_text("quilbar.ctrl", "STA 20120315000000", "STA abc           "), 1, "",
           not_a_date("0")},
      });
  check_cases(
      Example::steady,
      {
          {"a negative series length", added("TSO -72\r\n"), 1, "",
           ending_with(" ERROR: Output time series length (hours) must not be "
                       "negative!\r\n" +
                       pause_prompt)},
          {"a series length giving more steps than an integer holds", added("TSO 3e9\r\n"), 1, "",
           ending_with(" ERROR: Output time series length / timestep gives too many "
                       "time steps!\r\n" +
                       pause_prompt)},
      });
  // Names made from another: the report's CSV names (the stem and
  // "_stations.csv") and the rewritten *.dun name ("_new.dun").
  const std::string stem(243, 'r');                        // the CSV names take 256 bytes
  const std::string dun = std::string(248, 'd') + ".dun";  // "_new.dun" gives 256
  check_cases(
      Example::dunelot,
      {
          {"a report page whose CSV names pass 255 bytes", added("REPORT " + stem + ".html\r\n"), 2,
           io_report(stem + "_stations.csv: cannot create file: File name too long"),
           ending_with(console_record((stem + ".html").substr(237)))},
          {"a *.dun name whose _new.dun name passes 255 bytes",
           [=](const ScratchDir& dir) {
             fs::rename(dir.file("beach.dun"), dir.file(dun));
             substitute(dir, "quilbar.ctrl", "DUN beach.dun", "DUN " + dun);
           },
           2, io_report(std::string(248, 'd') + "_new.dun: cannot create file: File name too long"),
           ending_with(console_record(dun.substr(237)))},
          {"a report page named like the cell-width file", added("REPORT beach.shdx\r\n"), 1, "",
           refused("beach.shdx")},
          {"a report page named like the *.dun file", added("REPORT beach.dun\r\n"), 1, "",
           refused("beach.dun")},
          {"a station list named like the report's transport table",
           [](const ScratchDir& dir) {
             fs::rename(dir.file("beach.std"), dir.file("r_transport.csv"));
             substitute(dir, "quilbar.ctrl", "STD beach.std", "STD r_transport.csv");
             dir.write("quilbar.ctrl", dir.read("quilbar.ctrl") + "REPORT r.html\r\n");
           },
           1, "", refused("r_transport.csv")},
      });
}

// Station output under a wave file's name: the run stops before the wave
// file would replace it, and it stays as it was.
TEST(bad_input_catalogue, station_output_named_like_a_wave_file) {
  ScratchDir dir;
  set_up(dir, Example::dunelot);
  fs::rename(dir.file("selhts.out"), dir.file("OutputStationKRV_wave002.wave"));
  substitute(dir, "quilbar.ctrl", "SEL selhts.out", "SEL OutputStationKRV_wave002.wave");
  const std::string input = dir.read("OutputStationKRV_wave002.wave");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_TRUE(ends_with(r.out,
                        " ERROR: Output file would replace an input file: "
                        "\"OutputStationKRV_wave002.wave\"\r\n" +
                            pause_prompt))
      << r.out;
  EXPECT_EQ(dir.read("OutputStationKRV_wave002.wave"), input);
  EXPECT_FALSE(dir.exists("OutputStationKRV_wave001.wave"));
  EXPECT_EQ(leftover_temporaries(dir), "");
}

}  // namespace
