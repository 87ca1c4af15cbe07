// The run's output set: written under temporary names, put in place together
// or not at all, and names that can never be a file refused at creation.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support.h"
#include "textio/io_error.h"
#include "textio/output_set.h"

namespace {

namespace fs = std::filesystem;
using testing_support::leftover_temporaries;
using testing_support::ScratchDir;

std::size_t entries_in(const ScratchDir& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++n;
  return n;
}

// Writes each (name, record) of the list as one output of a set.
void write_set(textio::OutputSet& set, const ScratchDir& dir,
               const std::vector<std::pair<std::string, std::string>>& files) {
  for (const auto& [name, record] : files) {
    auto out = textio::create_output(set, dir.file(name));
    textio::write_record(out, record);
    textio::complete_output(set, out);
  }
}

// Whatever holds the target's name, a commit leaves there a regular file with
// the new records: a file, a link to a file and a named pipe are replaced (the
// linked file keeps its content; the pipe is never opened, so nothing waits
// on it), a missing one is created; a name given twice keeps the later file.
TEST(output_set, commit_puts_every_file_in_place) {
  enum class Held { nothing, file, link, pipe };
  for (const Held held : {Held::nothing, Held::file, Held::link, Held::pipe}) {
    SCOPED_TRACE(static_cast<int>(held));
    ScratchDir dir;
    dir.write("linked.txt", "linked content\n");
    if (held == Held::file)
      dir.write("out.txt", "old content\n");
    if (held == Held::link)
      fs::create_symlink("linked.txt", dir.file("out.txt"));
    if (held == Held::pipe) {
      ASSERT_EQ(::mkfifo(dir.file("out.txt").c_str(), 0600), 0);
    }
    textio::OutputSet set;
    write_set(set, dir,
              {{"out.txt", "first"}, {"big.txt", std::string(1 << 20, 'b')}, {"out.txt", "new"}});
    textio::commit_outputs(set);
    EXPECT_EQ(dir.read("out.txt"), "new\r\n");
    EXPECT_EQ(dir.read("big.txt"), std::string(1 << 20, 'b') + "\r\n");
    EXPECT_FALSE(fs::is_symlink(dir.file("out.txt")));
    EXPECT_EQ(dir.read("linked.txt"), "linked content\n");
    EXPECT_EQ(entries_in(dir), 3u);  // out.txt, big.txt and linked.txt
  }
}

// A set given up, whether its files were complete, half written or not yet
// made, leaves every earlier file as it was and no temporary.
TEST(output_set, a_set_given_up_changes_nothing) {
  ScratchDir dir;
  dir.write("a.txt", "earlier a\n");
  dir.write("b.txt", "earlier b\n");
  {
    textio::OutputSet set;
    write_set(set, dir, {{"a.txt", "new a"}, {"c.txt", "new c"}});
    auto half = textio::create_output(set, dir.file("b.txt"));
    textio::write_record(half, "partial");
  }
  EXPECT_EQ(dir.read("a.txt"), "earlier a\n");
  EXPECT_EQ(dir.read("b.txt"), "earlier b\n");
  EXPECT_FALSE(dir.exists("c.txt"));
  EXPECT_EQ(leftover_temporaries(dir), "");
}

// Temporaries made ahead for a list of outputs: the files and the faults are
// those of a set that makes each temporary itself, whether the outputs come
// as listed, with another in between, fewer than listed, or one fails; no
// temporary is left.
TEST(output_set, temporaries_made_ahead_change_nothing) {
  struct Case {
    const char* what;
    std::vector<std::string> made;  // the outputs created, in order
    const char* folder_named = "";  // a folder made under this name first
    bool commit = true;
  };
  const std::vector<std::string> listed = {"w1", "w2", "w3", "w4",  "w5",  "w6",
                                           "w7", "w8", "w9", "w10", "w11", "w12"};
  const Case cases[] = {
      {"as listed", listed},
      {"another in between", {"w1", "w2", "other", "w3", "w4"}},
      {"fewer than listed", {"w1", "w2"}},
      {"one refused part-way", listed, "w10"},
      {"given up", {"w1", "w2", "w3"}, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::map<std::string, std::string> seen[2];
    std::string reports[2];
    for (int ahead = 0; ahead < 2; ++ahead) {
      ScratchDir dir;
      dir.write("w2", "earlier w2\n");
      if (*c.folder_named != '\0')
        fs::create_directory(dir.file(c.folder_named));
      {
        textio::OutputSet set;
        if (ahead == 1) {
          std::vector<std::string> paths;
          for (const std::string& name : listed) paths.push_back(dir.file(name));
          textio::make_temporaries_ahead(set, paths);
        }
        try {
          for (const std::string& name : c.made) {
            auto out = textio::create_output(set, dir.file(name));
            textio::write_record(out, "new " + name);
            textio::complete_output(set, out);
          }
          if (c.commit)
            textio::commit_outputs(set);
        } catch (const textio::IoError& e) {
          reports[ahead] = e.report().substr(dir.path().size());
        }
      }
      seen[ahead] = testing_support::folder_snapshot(dir);
      EXPECT_EQ(leftover_temporaries(dir), "");
    }
    EXPECT_EQ(reports[1], reports[0]);
    EXPECT_TRUE(seen[1] == seen[0]);
  }
}

// Names that can never be a file are refused before anything is made; a name
// of 255 bytes, the longest a folder takes, is written like any other.
TEST(output_set, names_checked_when_the_file_is_made) {
  ScratchDir dir;
  fs::create_directory(dir.file("taken"));
  const std::string longest(255, 'n');
  struct Case {
    std::string path;
    std::string report;  // empty: created
  };
  const Case cases[] = {
      {"", ": cannot create file: No such file or directory"},
      {dir.file("."), dir.file(".") + ": cannot create file: Is a directory"},
      {dir.file(".."), dir.file("..") + ": cannot create file: Is a directory"},
      {dir.file("taken"), dir.file("taken") + ": cannot create file: Is a directory"},
      {dir.file("taken/"), dir.file("taken/") + ": cannot create file: Is a directory"},
      {dir.file("no/such/x.map"),
       dir.file("no/such/x.map") + ": cannot create file: No such file or directory"},
      {dir.file(longest), ""},
      {dir.file(longest + "n"),
       dir.file(longest + "n") + ": cannot create file: File name too long"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    textio::OutputSet set;
    try {
      auto out = textio::create_output(set, c.path);
      textio::write_record(out, "data");
      textio::complete_output(set, out);
      textio::commit_outputs(set);
      EXPECT_EQ(c.report, "");
    } catch (const textio::IoError& e) {
      EXPECT_EQ(e.report(), c.report);
    }
  }
  EXPECT_EQ(dir.read(longest), "data\r\n");
  EXPECT_EQ(leftover_temporaries(dir), "");
}

// A name that cannot be put in place, at each position of a set of three
// (a folder made under its name while the run wrote): the outputs already in
// place go back, the folder is as it was before, and the report names the
// output that failed. Earlier files are there for the first and the last
// name, so both ways of putting back are taken: the exchange undone and a
// new file removed.
TEST(output_set, a_failure_part_way_puts_everything_back) {
  const char* const names[] = {"a.txt", "b.txt", "c.txt"};
  for (int failing = 0; failing < 3; ++failing) {
    SCOPED_TRACE(failing);
    ScratchDir dir;
    dir.write("a.txt", "earlier a\n");
    dir.write("c.txt", "earlier c\n");
    textio::OutputSet set;
    write_set(set, dir, {{"a.txt", "new a"}, {"b.txt", "new b"}, {"c.txt", "new c"}});
    const std::string blocked = names[failing];
    if (dir.exists(blocked))
      fs::rename(dir.file(blocked), dir.file("aside"));
    fs::create_directory(dir.file(blocked));
    dir.write(blocked + "/inside", "kept");
    const auto before = testing_support::folder_snapshot(dir, ".quilbar-");
    try {
      textio::commit_outputs(set);
      ADD_FAILURE() << "expected an IoError";
    } catch (const textio::IoError& e) {
      EXPECT_EQ(e.report(), dir.file(blocked) +
                                ": cannot replace file: Is a directory (no output was replaced)");
    }
    EXPECT_EQ(testing_support::folder_snapshot(dir, ".quilbar-"), before);
    EXPECT_EQ(leftover_temporaries(dir), "");
  }
}

// The first temporary made in a folder removes the leftovers of killed runs
// there: a temporary of a process that no longer runs goes; one of a running
// process, and every name not exactly of the temporaries' form, stay.
TEST(output_set, leftovers_of_killed_runs_are_removed) {
  ScratchDir dir;
  // A process that has ended: a child, waited for.
  const long dead = [] {
    const pid_t child = fork();
    if (child == 0)
      _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return static_cast<long>(child);
  }();
  const std::string gone = ".quilbar-" + std::to_string(dead) + "-3.tmp";
  const std::vector<std::string> kept = {".quilbar-1-3.tmp",  // process 1 always runs
                                         ".quilbar-0" + std::to_string(dead) + "-3.tmp",
                                         ".quilbar-" + std::to_string(dead) + "-3.tmp~",
                                         "quilbar-" + std::to_string(dead) + "-3.tmp",
                                         ".quilbar-" + std::to_string(dead) + "-x.tmp"};
  dir.write(gone, "left by a killed run");
  for (const std::string& name : kept) dir.write(name, "kept");
  long process = 0;
  EXPECT_TRUE(textio::temporary_name_process(gone, process));
  EXPECT_EQ(process, dead);

  textio::OutputSet set;
  write_set(set, dir, {{"out.txt", "new"}});
  textio::commit_outputs(set);
  EXPECT_FALSE(dir.exists(gone));
  for (const std::string& name : kept) EXPECT_EQ(dir.read(name), "kept") << name;
}

}  // namespace
