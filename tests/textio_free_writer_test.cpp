// The free-format writer: record width, text and number placement, line ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/run_support.h"
#include "textio/file_removal.h"
#include "textio/free_writer.h"
#include "textio/io_error.h"

namespace {

using testing_support::ScratchDir;

// Writes through a real output file and returns its bytes.
template <class F>
std::string written(F&& write) {
  ScratchDir dir;
  auto out = textio::create_output(dir.file("out.txt"));
  write(out);
  textio::commit(out);
  return dir.read("out.txt");
}

TEST(write_free, texts_and_numbers_on_one_record) {
  EXPECT_EQ(written([](auto& o) {
              textio::write_free(o, "Number of wave observation stations: ", std::int32_t{12});
            }),
            " Number of wave observation stations:           12\r\n");
  EXPECT_EQ(written([](auto& o) { textio::write_free(o, "a", "b", std::int8_t{1}, "c"); }),
            " ab    1 c\r\n");
  EXPECT_EQ(written([](auto& o) { textio::write_free(o, 0.0f); }), "  0.0000000E+00\r\n");
  EXPECT_EQ(written([](auto& o) { textio::write_free(o); }), "\r\n");
  EXPECT_EQ(written([](auto& o) { textio::write_free(o, 1.0, std::int64_t{-5}); }),
            "   1.00000000000000                         -5\r\n");
}

TEST(write_free, an_item_that_does_not_fit_starts_a_new_record) {
  const std::string a55(55, 'a'), b51(51, 'b');
  EXPECT_EQ(written([&](auto& o) { textio::write_free(o, a55, b51, std::int8_t{1}); }),
            " " + a55 + "\r\n " + b51 + "    1\r\n");
  // A number that would pass column 80 opens the next record without a blank.
  const std::string t70(70, 't');
  EXPECT_EQ(written([&](auto& o) { textio::write_free(o, t70, std::int32_t{7}); }),
            " " + t70 + "\r\n           7\r\n");
  // A text after a number needs its separating blank too: 1 + 67 + 12 = 80 is
  // full, so a one-character text goes to the next record.
  const std::string t67(67, 't');
  EXPECT_EQ(written([&](auto& o) { textio::write_free(o, t67, std::int32_t{7}, "x"); }),
            " " + t67 + "           7\r\n x\r\n");
  const std::string t65(65, 't');
  EXPECT_EQ(written([&](auto& o) { textio::write_free(o, t65, std::int32_t{7}, "x"); }),
            " " + t65 + "           7 x\r\n");
  // Exactly 80 columns still fit.
  const std::string t79(79, 'e');
  EXPECT_EQ(written([&](auto& o) { textio::write_free(o, t79); }), " " + t79 + "\r\n");
}

TEST(write_free, text_longer_than_a_record_is_split) {
  const std::string long_text = std::string(79, 'x') + std::string(21, 'y');
  EXPECT_EQ(written([&](auto& o) { textio::write_free(o, "ab", long_text, "z"); }),
            " ab\r\n " + std::string(79, 'x') + "\r\n " + std::string(21, 'y') + "z\r\n");
  const std::string t80(80, 'q');
  EXPECT_EQ(written([&](auto& o) { textio::write_free(o, t80); }),
            " " + std::string(79, 'q') + "\r\n q\r\n");
}

TEST(write_free, echo_lines_wrap_as_the_program_prints_them) {
  std::string s55 = "Output format:";
  s55.resize(55, ' ');
  std::string t55 = "  <TGM_Map_Wave_File> = TGM Map File;";
  t55.resize(55, ' ');
  EXPECT_EQ(written([&](auto& o) {
              textio::write_free(
                  o, s55, t55, "  <Dunelot_Wave_File> = Dunelot Wave Files: ", "TGM_Map_Wave_File");
            }),
            " " + s55 + "\r\n " + t55 +
                "\r\n   <Dunelot_Wave_File> = Dunelot Wave Files: TGM_Map_Wave_File\r\n");
}

TEST(output_file, uncommitted_output_leaves_nothing_and_commit_replaces) {
  ScratchDir dir;
  dir.write("old.txt", "previous content\n");
  {
    auto out = textio::create_output(dir.file("old.txt"));
    textio::write_record(out, "partial");
  }
  EXPECT_EQ(dir.read("old.txt"), "previous content\n");
  EXPECT_FALSE(dir.exists("old.txt.quilbar-tmp"));
  {
    auto out = textio::create_output(dir.file("old.txt"));
    std::string big(1 << 20, 'b');
    textio::write_record(out, big);
    textio::write_record(out, "end");
    textio::commit(out);
    textio::finish_removals();
  }
  EXPECT_EQ(dir.read("old.txt"), std::string(1 << 20, 'b') + "\r\nend\r\n");
  EXPECT_FALSE(dir.exists("old.txt.quilbar-tmp"));
}

// Whatever holds the target's name, a commit leaves there a regular file with
// the new records and nothing else in the folder: a file and a link to a file
// are replaced (the linked file keeps its content), a missing one is created.
TEST(output_file, commit_puts_a_regular_file_in_every_kind_of_place) {
  enum class Held { nothing, file, link };
  for (const Held held : {Held::nothing, Held::file, Held::link}) {
    SCOPED_TRACE(static_cast<int>(held));
    ScratchDir dir;
    dir.write("linked.txt", "linked content\n");
    if (held == Held::file)
      dir.write("out.txt", "old content\n");
    if (held == Held::link)
      std::filesystem::create_symlink("linked.txt", dir.file("out.txt"));
    auto out = textio::create_output(dir.file("out.txt"));
    textio::write_record(out, "new");
    textio::commit(out);
    textio::finish_removals();
    EXPECT_EQ(dir.read("out.txt"), "new\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("out.txt")));
    EXPECT_EQ(dir.read("linked.txt"), "linked content\n");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
      ++entries;
    EXPECT_EQ(entries, 2u);  // out.txt and linked.txt
  }
}

// Replacing the same output again and again at once: each old file is removed
// under the temporary name, which the next output takes only after that.
TEST(output_file, replacing_one_output_many_times_keeps_the_last) {
  ScratchDir dir;
  dir.write("out.txt", "first\n");
  for (int k = 0; k < 50; ++k) {
    auto out = textio::create_output(dir.file("out.txt"));
    textio::write_record(out, std::to_string(k));
    textio::commit(out);
  }
  textio::finish_removals();
  EXPECT_EQ(dir.read("out.txt"), "49\r\n");
  EXPECT_FALSE(dir.exists("out.txt.quilbar-tmp"));
}

TEST(file_removal, a_failed_removal_is_reported_once_with_its_name) {
  ScratchDir dir;
  dir.write("gone.txt", "x");
  textio::remove_later(dir.file("gone.txt"));
  textio::remove_later(dir.file("never-there.txt"));
  try {
    textio::finish_removals();
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_NE(std::string(e.what()).find("never-there.txt: cannot remove the file an output "
                                         "replaced: No such file or directory"),
              std::string::npos)
        << e.what();
  }
  EXPECT_FALSE(dir.exists("gone.txt"));
  EXPECT_NO_THROW(textio::finish_removals());
}

TEST(output_file, failures_are_reported_with_the_file_name) {
  ScratchDir dir;
  try {
    auto out = textio::create_output(dir.file("no/such/dir/x.map"));
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_NE(std::string(e.what()).find("x.map: cannot create file"), std::string::npos);
  }
  // A target that is a directory cannot be replaced; the temporary goes away.
  std::filesystem::create_directory(dir.file("taken"));
  auto out = textio::create_output(dir.file("taken"));
  textio::write_record(out, "data");
  EXPECT_THROW(textio::commit(out), textio::IoError);
  EXPECT_FALSE(dir.exists("taken.quilbar-tmp"));
}

TEST(trimmed, drops_trailing_blanks_only) {
  EXPECT_EQ(textio::trimmed("  a b  "), "  a b");
  EXPECT_EQ(textio::trimmed("   "), "");
}

}  // namespace
