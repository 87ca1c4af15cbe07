#include <gtest/gtest.h>

#include <string>

#include "context/console.h"
#include "tests/wavemodel_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/station_list.h"

namespace {

using testing_support::crlf_records;
using testing_support::written_text;
using wavemodel_testing::at_column;

std::int32_t count_of(const std::string& text) {
  auto f = textio::records_from_text("case.std", text);
  return wavemodel::read_station_count(f);
}

TEST(wavemodel_station_list, annotated_form_takes_the_field_in_front_of_the_marker) {
  struct Case {
    const char* what;
    std::string text;
    std::int32_t count;
  };
  const Case cases[] = {
      {"count in columns 4-5, marker at 9", "   12   !kout\n", 12},
      {"count right before the marker", "12!kout\n", 12},
      {"count beyond the first 8 columns", at_column(11, "12 !kout") + "\n", 0},
      {"marker in column 1", "!kout 12\n", 0},
      {"blanks inside the field are ignored", " 1 2    !kout\n", 12},
      {"signed count", "  -3 !kout\n", -3},
      {"count in front of a marker ending in column 80", "       7" + at_column(68, "!kout\n"), 7},
      {"marker starting after column 76 is not seen", "       7" + at_column(69, "!kout\n"), 0},
      {"upper-case marker is not recognised", "   12 !KOUT\n", 0},
      {"a comment selects the form, no marker follows", "! stations\n   12 kout\n", 0},
      {"marker on a later record", "! stations\n1 2 3\n    4 !kout\n   99 !kout\n", 4},
      {"marker record is the first record", "    9 !kout 1 2 3\n", 9},
      {"blank and short records before the marker", "!\n\n \n   21 !kout\n", 21},
      {"CR LF records", "! x\r\n    5 !kout\r\n", 5},
      {"a bang in column 150 selects the annotated form", at_column(150, "!") + "\n 3 !kout\n", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(count_of(c.text), c.count);
  }
}

TEST(wavemodel_station_list, plain_form_takes_the_fifth_value_or_the_last_one_read) {
  struct Case {
    const char* what;
    std::string text;
    std::int32_t count;
  };
  const Case cases[] = {
      {"seven values on one record", "1 0 1 0 5 1 0\n", 5},
      {"values over two records", "1 0 1\n0 7\n", 7},
      {"blank records between values", "1 0\n\n  \n1 0\n6\n", 6},
      {"commas as separators", "1,0,1,0,8\n", 8},
      {"a fifth value of 0", "1 2 3 4 0\n", 0},
      {"repeat forms", "2*7 3*9\n", 9},
      {"the file ends early", "1 0 3\n", 3},
      {"a blank record only", "\n", 0},
      {"a value that is no integer stops the read", "1 2 x 4 5\n", 2},
      {"a real is no integer", "1 2 3 4 2.5\n", 4},
      {"no integer at all", "abc 1 2 3 4\n", 0},
      {"a null value before the failing one", "1,,x,4,5\n", 1},
      {"null values keep the last value", "1 2 3 2*\n", 3},
      {"a slash ends the read", "1 2 3 / 4 5\n", 3},
      {"a bang after column 150 is not seen", "1 2 3 4 11" + at_column(141, "!\n"), 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(count_of(c.text), c.count);
  }
}

TEST(wavemodel_station_list, unreadable_first_record_or_count_field_is_fatal) {
  const std::string cases[] = {"", "  ab !kout\n", "! x\n 1.5 !kout\n", "  +-1 !kout\n"};
  for (const auto& text : cases) {
    SCOPED_TRACE(text);
    EXPECT_THROW(count_of(text), textio::IoError);
  }
}

TEST(wavemodel_station_list, console_lines) {
  const std::string count_lines =
      written_text([](textio::OutputFile& out) { wavemodel::print_station_count(out, 12); });
  EXPECT_EQ(count_lines, crlf_records({" Number of wave observation stations:           12", "",
                                       std::string(" ") + context::separator_line, ""}));

  context::Status status = context::Status::ok;
  const std::string message = written_text([&](textio::OutputFile& out) {
    status = wavemodel::check_station_count(out, 0, "case.std    ");
  });
  EXPECT_EQ(status, context::Status::error_stop);
  EXPECT_EQ(message, crlf_records({" ERROR: No wave observation stations found in *.std file: "
                                   "\"case.std\""}));

  const std::string none = written_text([&](textio::OutputFile& out) {
    status = wavemodel::check_station_count(out, 1, "case.std");
  });
  EXPECT_EQ(status, context::Status::ok);
  EXPECT_EQ(none, "");
}

}  // namespace
