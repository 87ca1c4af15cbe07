// Output targets that cannot be written, run through the built program: a map
// file or a new *.dun file named into a read-only directory, and a map file,
// a new *.dun file or a wave file whose name a directory holds. Each run ends
// with the I/O layer's report and exit status 2, leaves no temporary file,
// keeps every earlier file it did not get to write as it was, and the outputs
// it finished before the failure are given up with the rest.
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

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string earlier_output(const std::string& name) {
  return " an earlier run's " + name + "\r\n";
}

void write_earlier(const ScratchDir& dir, const std::string& name) {
  dir.write(name, earlier_output(name));
}

void append(const ScratchDir& dir, const std::string& name, const std::string& text) {
  dir.write(name, dir.read(name) + text);
}

void replace_in(const ScratchDir& dir, const std::string& name, const std::string& from,
                const std::string& to) {
  std::string text = dir.read(name);
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << name << " does not hold \"" << from << "\"";
  dir.write(name, text.replace(at, from.size(), to));
}

// A directory in the place of an output, with a file in it that must survive.
void occupy_with_directory(const ScratchDir& dir, const std::string& name) {
  fs::create_directory(dir.file(name));
  dir.write(name + "/inside", "kept\r\n");
}

void expect_directory_kept(const ScratchDir& dir, const std::string& name) {
  EXPECT_TRUE(fs::is_directory(dir.file(name))) << name;
  EXPECT_EQ(dir.read(name + "/inside"), "kept\r\n") << name;
}

// The console text through the end of the first `anchor`.
std::string through(const std::string& out, const std::string& anchor) {
  const std::size_t at = out.find(anchor);
  return at == std::string::npos ? "<no \"" + anchor + "\">" : out.substr(0, at + anchor.size());
}

struct Example {
  std::string console;
  ScratchDir dir;  // the example's outputs, as a clean run writes them
};

const Example& clean_example(const std::string& folder) {
  static std::map<std::string, Example> examples;
  auto found = examples.find(folder);
  if (found != examples.end())
    return found->second;
  Example& e = examples[folder];
  e.dir.copy_from_source(folder);
  const RunResult r = e.dir.run();
  EXPECT_EQ(r.exit_status, 0) << r.err;
  e.console = r.out;
  return e;
}

const char* const wave_names[] = {"OutputStationKRV_wave001.wave", "OutputStationKRV_wave002.wave",
                                  "OutputStationKRV_wave003.wave"};

TEST(bad_input_outputs, map_file_named_into_a_read_only_directory) {
  const std::string unavailable = ScratchDir::nobody_unavailable();
  if (!unavailable.empty())
    GTEST_SKIP() << unavailable;
  const Example& clean = clean_example("examples/map_case");
  ScratchDir dir;
  dir.copy_from_source("examples/map_case");
  append(dir, "quilbar.ctrl", "MAP 'out/beach.map'\r\n");
  fs::create_directory(dir.file("out"));
  write_earlier(dir, "out/beach.map");
  fs::permissions(dir.file("out"), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
  const RunResult r = dir.run_as_nobody();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, "quilbar: out/beach.map: cannot create file: Permission denied\n");
  // The file is announced only once it exists: the console stops after the
  // grid placement.
  std::string console =
      through(clean.console,
              " Wave model grid rotation azimuth (deg):    30.0000000000000     \r\n\r\n"
              "  ****************************************************** \r\n\r\n");
  const std::string named = "Output TGM time series file name: ";
  console.replace(console.find(named + "Dunelot_TGM.map"), named.size() + 15,
                  named + "out/beach.map");
  EXPECT_EQ(r.out, console);
  EXPECT_EQ(dir.read("out/beach.map"), earlier_output("out/beach.map"));
  EXPECT_FALSE(dir.exists("Dunelot_TGM.map"));
  EXPECT_EQ(leftover_temporaries(dir), "");
}

TEST(bad_input_outputs, map_file_name_held_by_a_directory) {
  const Example& clean = clean_example("examples/map_case");
  ScratchDir dir;
  dir.copy_from_source("examples/map_case");
  occupy_with_directory(dir, "Dunelot_TGM.map");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, "quilbar: Dunelot_TGM.map: cannot create file: Is a directory\n");
  // The name is refused before the file is announced.
  EXPECT_EQ(r.out, clean.console.substr(0, clean.console.rfind(" Writing output *.map file")));
  expect_directory_kept(dir, "Dunelot_TGM.map");
  EXPECT_EQ(leftover_temporaries(dir), "");
}

TEST(bad_input_outputs, wave_file_name_held_by_a_directory) {
  const Example& clean = clean_example("examples/dunelot_case");
  ScratchDir dir;
  dir.copy_from_source("examples/dunelot_case");
  for (const char* name : {"beach_new.dun", wave_names[0], wave_names[2]}) write_earlier(dir, name);
  occupy_with_directory(dir, wave_names[1]);
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, "quilbar: OutputStationKRV_wave002.wave: cannot create file: Is a directory\n");
  EXPECT_EQ(r.out, through(clean.console,
                           " Writing output *.wave file: OutputStationKRV_wave001.wave\r\n"));
  // The outputs are replaced as one set: none of them was.
  EXPECT_EQ(dir.read("beach_new.dun"), earlier_output("beach_new.dun"));
  EXPECT_EQ(dir.read(wave_names[0]), earlier_output(wave_names[0]));
  expect_directory_kept(dir, wave_names[1]);
  EXPECT_EQ(dir.read(wave_names[2]), earlier_output(wave_names[2]));
  EXPECT_EQ(leftover_temporaries(dir), "");
}

TEST(bad_input_outputs, new_dun_file_name_held_by_a_directory) {
  const Example& clean = clean_example("examples/dunelot_case");
  ScratchDir dir;
  dir.copy_from_source("examples/dunelot_case");
  for (const char* name : wave_names) write_earlier(dir, name);
  occupy_with_directory(dir, "beach_new.dun");
  const RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, "quilbar: beach_new.dun: cannot create file: Is a directory\n");
  EXPECT_EQ(r.out, through(clean.console,
                           " Writing wave file header info to output *.dun file: beach.dun\r\n"));
  expect_directory_kept(dir, "beach_new.dun");
  for (const char* name : wave_names) EXPECT_EQ(dir.read(name), earlier_output(name)) << name;
  EXPECT_EQ(leftover_temporaries(dir), "");
}

TEST(bad_input_outputs, new_dun_file_named_into_a_read_only_directory) {
  const std::string unavailable = ScratchDir::nobody_unavailable();
  if (!unavailable.empty())
    GTEST_SKIP() << unavailable;
  ScratchDir dir;
  dir.copy_from_source("examples/dunelot_case");
  replace_in(dir, "quilbar.ctrl", "DUN beach.dun", "DUN 'work/beach.dun'");
  fs::create_directory(dir.file("work"));
  fs::rename(dir.file("beach.dun"), dir.file("work/beach.dun"));
  write_earlier(dir, "work/beach_new.dun");
  write_earlier(dir, wave_names[0]);
  fs::permissions(dir.file("work"), fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
  const RunResult r = dir.run_as_nobody();
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, "quilbar: work/beach_new.dun: cannot create file: Permission denied\n");
  EXPECT_TRUE(ends_with(r.out,
                        " Loading Dunelot DX *.shdx file: beach.shdx\r\n"
                        " Writing wave file header info to output *.dun file: work/beach.dun\r\n"))
      << r.out;
  EXPECT_EQ(dir.read("work/beach_new.dun"), earlier_output("work/beach_new.dun"));
  EXPECT_EQ(dir.read(wave_names[0]), earlier_output(wave_names[0]));
  EXPECT_FALSE(dir.exists(wave_names[1]));
  EXPECT_FALSE(dir.exists(wave_names[2]));
  EXPECT_EQ(leftover_temporaries(dir), "");
}

}  // namespace
