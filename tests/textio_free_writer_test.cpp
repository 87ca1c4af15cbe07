// The free-format writer: record width, text and number placement, line ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support.h"
#include "textio/free_writer.h"
#include "textio/output_set.h"

namespace {

using testing_support::ScratchDir;

TEST(write_free, texts_and_numbers_on_one_record) {
  EXPECT_EQ(testing_support::written_text([](auto& o) {
              textio::write_free(o, "Number of wave observation stations: ", std::int32_t{12});
            }),
            " Number of wave observation stations:           12\r\n");
  EXPECT_EQ(testing_support::written_text(
                [](auto& o) { textio::write_free(o, "a", "b", std::int8_t{1}, "c"); }),
            " ab    1 c\r\n");
  EXPECT_EQ(testing_support::written_text([](auto& o) { textio::write_free(o, 0.0f); }),
            "  0.0000000E+00\r\n");
  EXPECT_EQ(testing_support::written_text([](auto& o) { textio::write_free(o); }), "\r\n");
  EXPECT_EQ(
      testing_support::written_text([](auto& o) { textio::write_free(o, 1.0, std::int64_t{-5}); }),
      "   1.00000000000000                         -5\r\n");
}

TEST(write_free, an_item_that_does_not_fit_starts_a_new_record) {
  const std::string a55(55, 'a'), b51(51, 'b');
  EXPECT_EQ(testing_support::written_text(
                [&](auto& o) { textio::write_free(o, a55, b51, std::int8_t{1}); }),
            " " + a55 + "\r\n " + b51 + "    1\r\n");
  // A number that would pass column 80 opens the next record without a blank.
  const std::string t70(70, 't');
  EXPECT_EQ(
      testing_support::written_text([&](auto& o) { textio::write_free(o, t70, std::int32_t{7}); }),
      " " + t70 + "\r\n           7\r\n");
  // A text after a number needs its separating blank too: 1 + 67 + 12 = 80 is
  // full, so a one-character text goes to the next record.
  const std::string t67(67, 't');
  EXPECT_EQ(testing_support::written_text(
                [&](auto& o) { textio::write_free(o, t67, std::int32_t{7}, "x"); }),
            " " + t67 + "           7\r\n x\r\n");
  const std::string t65(65, 't');
  EXPECT_EQ(testing_support::written_text(
                [&](auto& o) { textio::write_free(o, t65, std::int32_t{7}, "x"); }),
            " " + t65 + "           7 x\r\n");
  // Exactly 80 columns still fit.
  const std::string t79(79, 'e');
  EXPECT_EQ(testing_support::written_text([&](auto& o) { textio::write_free(o, t79); }),
            " " + t79 + "\r\n");
}

TEST(write_free, text_longer_than_a_record_is_split) {
  const std::string long_text = std::string(79, 'x') + std::string(21, 'y');
  EXPECT_EQ(
      testing_support::written_text([&](auto& o) { textio::write_free(o, "ab", long_text, "z"); }),
      " ab\r\n " + std::string(79, 'x') + "\r\n " + std::string(21, 'y') + "z\r\n");
  const std::string t80(80, 'q');
  EXPECT_EQ(testing_support::written_text([&](auto& o) { textio::write_free(o, t80); }),
            " " + std::string(79, 'q') + "\r\n q\r\n");
}

TEST(write_free, echo_lines_wrap_as_the_program_prints_them) {
  std::string s55 = "Output format:";
  s55.resize(55, ' ');
  std::string t55 = "  <TGM_Map_Wave_File> = TGM Map File;";
  t55.resize(55, ' ');
  EXPECT_EQ(testing_support::written_text([&](auto& o) {
              textio::write_free(
                  o, s55, t55, "  <Dunelot_Wave_File> = Dunelot Wave Files: ", "TGM_Map_Wave_File");
            }),
            " " + s55 + "\r\n " + t55 +
                "\r\n   <Dunelot_Wave_File> = Dunelot Wave Files: TGM_Map_Wave_File\r\n");
}

TEST(trimmed, drops_trailing_blanks_only) {
  EXPECT_EQ(textio::trimmed("  a b  "), "  a b");
  EXPECT_EQ(textio::trimmed("   "), "");
}

}  // namespace
