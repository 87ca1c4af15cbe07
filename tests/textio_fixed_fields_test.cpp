// Fixed-width fields: texts, integers with and without minimum digits, 5F13.6.
#include <gtest/gtest.h>

#include <string>

#include "textio/fixed_fields.h"
#include "textio/io_error.h"

namespace {

TEST(read_fixed, text_fields_fit_the_item) {
  EXPECT_EQ(textio::read_fixed("abc", textio::TextField{5}, 5), "abc  ");
  EXPECT_EQ(textio::read_fixed("abcdefgh", textio::TextField{5}, 8), "abcde   ");
  EXPECT_EQ(textio::read_fixed("abcdefgh", textio::TextField{5}, 3), "cde");
  EXPECT_EQ(textio::read_fixed("", textio::A80, 80), std::string(80, ' '));
}

TEST(read_fixed, integer_fields) {
  struct Case {
    const char* text;
    textio::IntField field;
    bool ok;
    std::int64_t value;
  };
  const Case cases[] = {
      {"  12    ", textio::I8, true, 12},
      {"1 2", textio::I8, true, 12},
      {"        ", textio::I8, true, 0},
      {"", textio::I8, true, 0},
      {" -7", textio::I8, true, -7},
      {"12!kout", textio::I8, false, 0},
      {"1900010112", textio::I4, true, 1900},
      {"x1", textio::I2, false, 0},
      {"123456789", textio::I8, true, 12345678},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::int64_t v = -1;
    EXPECT_EQ(textio::read_fixed(c.text, c.field, v), c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
    }
  }
}

TEST(write_fixed, integer_fields_pad_or_fill_with_asterisks) {
  struct Case {
    textio::IntField field;
    std::int64_t value;
    const char* text;
  };
  const Case cases[] = {
      {textio::I3_3, 1, "001"},
      {textio::I3_3, 999, "999"},
      {textio::I3_3, 1000, "***"},
      {textio::I4_4, 1900, "1900"},
      {textio::I4_4, 10000, "****"},
      {textio::I4_4, -1, "****"},
      {textio::I2_2, 5, "05"},
      {textio::I2, 5, " 5"},
      {textio::I2, -5, "-5"},
      {textio::I2, 100, "**"},
      {textio::I14, 19000101000000, "19000101000000"},
      {textio::I14, 1900010100, "    1900010100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string out(c.field.width, '?');
    textio::write_fixed(out.data(), c.field, c.value);
    EXPECT_EQ(out, c.text);
  }
  std::string out(6, '?');
  textio::write_fixed(out.data(), textio::TextField{6}, "abc");
  EXPECT_EQ(out, "abc   ");
}

TEST(parse_f13_6, implied_decimals_blanks_and_exponents) {
  struct Case {
    const char* field;
    bool ok;
    float value;
  };
  const Case cases[] = {
      {"          123", true, 0.000123f},
      {"         1250", true, 0.00125f},
      {"       -3.500", true, -3.5f},
      {"             ", true, 0.0f},
      {"", true, 0.0f},
      {"    1 2.5    ", true, 12.5f},
      {"      1.5E+02", true, 150.0f},
      {"       1.5D02", true, 150.0f},
      {"       15E+02", true, 0.0015f},
      {"      1.5+02", false, 0.0f},  // an exponent needs its letter
      {"      1.5-3", false, 0.0f},
      {"   1.5\t    ", false, 0.0f},  // a tab: the columns may have moved
      {"\t      1.500", false, 0.0f},
      {"   1.5E\t+02", false, 0.0f},
      {"         12.x", false, 0.0f},
      {"          abc", false, 0.0f},
      {"      25.0000", true, 25.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    float v = -1.0f;
    EXPECT_EQ(textio::parse_f13_6(c.field, v), c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
    }
  }
}

TEST(read_fixed_reals, five_fields_per_record_and_short_records) {
  // Seven values: a record of five, then a record of two; the third record holds
  // only 3 of its fields and the remaining two read as 0.
  auto f = textio::records_from_text(
      "grid.dep",
      "        1.000        2.000        3.000        4.000        5.000   ignored\n"
      "        6.000        7.000\n"
      "        8.000        9.000       10.000\n");
  float row[7];
  textio::read_fixed_reals(f, row);
  EXPECT_EQ(row[0], 1.0f);
  EXPECT_EQ(row[4], 5.0f);
  EXPECT_EQ(row[6], 7.0f);
  float next[5] = {-1, -1, -1, -1, -1};
  textio::read_fixed_reals(f, next);
  EXPECT_EQ(next[2], 10.0f);
  EXPECT_EQ(next[3], 0.0f);
  EXPECT_EQ(next[4], 0.0f);
  try {
    textio::read_fixed_reals(f, next);
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_STREQ(e.what(), "grid.dep:4: end of file while reading reals");
  }
  auto bad = textio::records_from_text("grid.dep", "        1.000          x.y\n");
  try {
    textio::read_fixed_reals(bad, next);
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_STREQ(e.what(), "grid.dep:1: cannot read a real in columns 14-26");
  }
}

}  // namespace
