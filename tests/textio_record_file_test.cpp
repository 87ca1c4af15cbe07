// Records of a file: line ends, step back, rewind, streaming over the buffer.
#include <gtest/gtest.h>

#include <string>

#include "tests/support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"

namespace {

using testing_support::ScratchDir;

std::vector<std::string> all_records(textio::RecordFile& f) {
  std::vector<std::string> out;
  while (auto r = textio::next_record(f)) out.emplace_back(*r);
  return out;
}

TEST(next_record, line_ends_lf_and_cr_lf) {
  struct Case {
    const char* text;
    std::vector<std::string> records;
  };
  const Case cases[] = {
      {"a\nb\n", {"a", "b"}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\r\n\r\nb", {"a", "", "b"}}, {"", {}},
      {"\n", {""}},           {"x\ry\n", {"x\ry"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto f = textio::records_from_text("t", c.text);
    EXPECT_EQ(all_records(f), c.records);
  }
}

TEST(next_record, step_back_and_rewind) {
  auto f = textio::records_from_text("t", "one\ntwo\nthree\n");
  EXPECT_EQ(*textio::next_record(f), "one");
  EXPECT_EQ(*textio::next_record(f), "two");
  EXPECT_EQ(f.record_number, 2);
  textio::step_back(f);
  EXPECT_EQ(f.record_number, 1);
  EXPECT_EQ(*textio::next_record(f), "two");
  EXPECT_EQ(f.record_number, 2);
  EXPECT_EQ(*textio::next_record(f), "three");
  textio::rewind(f);
  EXPECT_EQ(*textio::next_record(f), "one");
}

TEST(open_records, streams_a_file_larger_than_its_buffer) {
  ScratchDir dir;
  std::string text;
  for (int k = 0; k < 200000; ++k) text += std::to_string(k) + (k % 2 ? "\r\n" : "\n");
  text += std::string(1 << 20, 'L') + "\nlast";
  dir.write("big.txt", text);
  auto f = textio::open_records(dir.file("big.txt"));
  for (int pass = 0; pass < 2; ++pass) {
    int k = 0;
    std::optional<std::string_view> r;
    for (; k < 200000; ++k) {
      r = textio::next_record(f);
      ASSERT_TRUE(r);
      ASSERT_EQ(*r, std::to_string(k));
    }
    textio::step_back(f);
    EXPECT_EQ(*textio::next_record(f), std::to_string(k - 1));
    EXPECT_EQ(textio::next_record(f)->size(), std::size_t{1} << 20);
    EXPECT_EQ(*textio::next_record(f), "last");
    EXPECT_FALSE(textio::next_record(f));
    EXPECT_EQ(f.record_number, 200002);
    textio::rewind(f);
  }
}

TEST(open_records, missing_file_and_directory_are_reported) {
  ScratchDir dir;
  EXPECT_THROW(textio::open_records(dir.file("none.txt")), textio::IoError);
  EXPECT_THROW(textio::open_records(dir.path()), textio::IoError);
  EXPECT_TRUE(textio::file_exists(dir.path()));
  EXPECT_FALSE(textio::file_exists(dir.file("none.txt")));
  EXPECT_FALSE(textio::file_exists(""));
}

}  // namespace
