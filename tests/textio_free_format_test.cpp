// The free-format reader: separators, records, slash, nulls, repeats, texts.
#include <gtest/gtest.h>

#include <string>

#include "textio/free_format.h"
#include "textio/io_error.h"

namespace {

using textio::read_free;
using textio::ReadStatus;
using textio::records_from_text;
using textio::text_item;

TEST(read_free, repeat_null_and_slash_forms) {
  struct Case {
    const char* text;
    ReadStatus status;
    int a, b, c;
  };
  const Case cases[] = {
      {"2*7", ReadStatus::ok, 7, 7, -1},  // third from the end of the file
      {"2*7 3", ReadStatus::ok, 7, 7, 3},
      {",5,6", ReadStatus::ok, -1, 5, 6},
      {"5,,6", ReadStatus::ok, 5, -1, 6},
      {"5 , , 6", ReadStatus::ok, 5, -1, 6},
      {"5 /", ReadStatus::ok, 5, -1, -1},
      {"5/6 7", ReadStatus::ok, 5, -1, -1},
      {"2* 9", ReadStatus::ok, -1, -1, 9},
      {"1,2,3,4", ReadStatus::ok, 1, 2, 3},
      {"1\t2\t3", ReadStatus::ok, 1, 2, 3},
      {"1\n2\n3", ReadStatus::ok, 1, 2, 3},
      {"1\r\n\r\n  \n2,\n3", ReadStatus::ok, 1, 2, 3},
      {"1 2", ReadStatus::end_of_file, 1, 2, -1},
      {"1 x 3", ReadStatus::error, 1, 0, -1},
      {"1 2.5 3", ReadStatus::error, 1, 0, -1},
      {"", ReadStatus::end_of_file, -1, -1, -1},
      {"\n\n", ReadStatus::end_of_file, -1, -1, -1},
      {"3*", ReadStatus::ok, -1, -1, -1},
      {"1 '2' 3", ReadStatus::error, 1, 0, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto f = records_from_text("t", c.text);
    std::int32_t a = -1, b = -1, cc = -1;
    if (std::string_view(c.text) == "2*7") {
      // Two values fill two items exactly.
      EXPECT_EQ(read_free(f, a, b), c.status);
    } else {
      EXPECT_EQ(read_free(f, a, b, cc), c.status);
    }
    EXPECT_EQ(a, c.a);
    EXPECT_EQ(b, c.b);
    EXPECT_EQ(cc, c.c);
  }
}

TEST(read_free, each_read_starts_on_a_new_record) {
  auto f = records_from_text("t", "1 2 3\n4 5\n6\n");
  std::int32_t a = 0, b = 0;
  EXPECT_EQ(read_free(f, a), ReadStatus::ok);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(read_free(f, a, b), ReadStatus::ok);  // takes 4 5, not 2 3
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 5);
  EXPECT_EQ(read_free(f, a, b), ReadStatus::end_of_file);
  EXPECT_EQ(a, 6);
  EXPECT_EQ(read_free(f, a), ReadStatus::end_of_file);
}

TEST(read_free, integer_then_real_on_the_next_record) {
  auto f = records_from_text("t", "12\n3.5 9\n");
  std::int32_t n = 0;
  float x = 0;
  EXPECT_EQ(read_free(f, n, x), ReadStatus::ok);
  EXPECT_EQ(n, 12);
  EXPECT_EQ(x, 3.5f);
}

TEST(read_free, unreadable_integer_is_zero_and_unreadable_real_keeps_its_value) {
  auto f = records_from_text("t", "abc\nabc\n");
  std::int32_t n = 5;
  double x = 2.5;
  EXPECT_EQ(read_free(f, n), ReadStatus::error);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(read_free(f, x), ReadStatus::error);
  EXPECT_EQ(x, 2.5);
}

TEST(read_free, one_byte_integer_range) {
  struct Case {
    const char* text;
    ReadStatus status;
    int value;
  };
  const Case cases[] = {{"127", ReadStatus::ok, 127},
                        {"-128", ReadStatus::ok, -128},
                        {"128", ReadStatus::error, 0},
                        {"1.0", ReadStatus::error, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto f = records_from_text("t", c.text);
    std::int8_t v = 9;
    EXPECT_EQ(read_free(f, v), c.status);
    EXPECT_EQ(v, c.value);
  }
}

TEST(read_free, texts_quoted_and_unquoted) {
  struct Case {
    const char* text;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {"SIM 'my file.sim'", "SIM     ", "my file.sim     "},
      {"SIM my file.sim", "SIM     ", "my              "},
      {"SIM \"a,b/c\"", "SIM     ", "a,b/c           "},
      {"'it''s' \"say \"\"hi\"\"\"", "it's    ", "say \"hi\"        "},
      {"SIM,x.sim", "SIM     ", "x.sim           "},
      {"SIM, x.sim", "SIM     ", "x.sim           "},
      {"abcdefghij k", "abcdefgh", "k               "},
      {"a/b c", "a       ", "?"},
      {"2*ab", "ab      ", "ab              "},
      {"2*'a b'", "a b     ", "a b             "},
      // Without its closing mark a quoted value ends with its record.
      {"'split\nover' x", "split   ", "over'           "},
      {"MAP 'out.map\nTIM 1.0", "MAP     ", "out.map         "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto f = records_from_text("t", c.text);
    std::string a, b = "?";
    EXPECT_EQ(read_free(f, text_item(a, 8), text_item(b, 16)), ReadStatus::ok);
    EXPECT_EQ(a, c.first);
    if (std::string_view(c.second) == "?") {
      EXPECT_EQ(b, "?");
    } else {
      EXPECT_EQ(b, c.second);
    }
  }
}

TEST(read_free, reals_with_exponent_letters) {
  auto f = records_from_text("t", "1.5D2 -2.5e-1 3 4.E1 .5");
  double a = 0, b = 0;
  float c = 0, d = 0, e = 0;
  EXPECT_EQ(read_free(f, a, b, c, d, e), ReadStatus::ok);
  EXPECT_EQ(a, 150.0);
  EXPECT_EQ(b, -0.25);
  EXPECT_EQ(c, 3.0f);
  EXPECT_EQ(d, 40.0f);
  EXPECT_EQ(e, 0.5f);
}

TEST(read_free, arrays_take_their_values_in_order) {
  auto f = records_from_text("t", "1 2 3\n4 5 6 7\n8\n");
  float row[5] = {-1, -1, -1, -1, -1};
  EXPECT_EQ(read_free(f, std::span<float>(row)), ReadStatus::ok);
  EXPECT_EQ(row[0], 1.0f);
  EXPECT_EQ(row[4], 5.0f);
  std::int32_t tail[2] = {0, 0};
  EXPECT_EQ(read_free(f, std::span<std::int32_t>(tail)), ReadStatus::end_of_file);
  EXPECT_EQ(tail[0], 8);
}

TEST(read_free_required, failure_names_file_record_and_reason) {
  auto f = records_from_text("selhts.out", "1 2 3\n4 x\n");
  std::int32_t a = 0, b = 0, c = 0;
  textio::read_free_required(f, a, b, c);
  try {
    textio::read_free_required(f, a, b);
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_STREQ(e.what(), "selhts.out:2: cannot read an integer");
  }
  try {
    textio::read_free_required(f, a);
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_STREQ(e.what(), "selhts.out:3: end of file");
  }
}

}  // namespace
