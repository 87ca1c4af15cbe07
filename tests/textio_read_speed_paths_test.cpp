// The one-pass routes of the readers: plain numbers read free-format, number
// tokens scanned and converted at once, and the 13-column reals. Each case
// sits at a border where the route must hand over to the general one, and the
// two routes are compared with each other and with std::from_chars.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "tests/support.h"
#include "textio/fixed_fields.h"
#include "textio/free_format.h"
#include "textio/io_error.h"
#include "textio/number_text.h"
#include "textio/record_file.h"

namespace {

using textio::FreeItem;
using textio::ReadStatus;
using textio::records_from_text;

// Two integers and two reals, the shape of most reads of the wave inputs.
struct Four {
  std::int32_t i = -1, j = -1;
  float x = -1.0f;
  double y = -1.0;
};

ReadStatus read_four(textio::RecordFile& f, Four& v) {
  return textio::read_free(f, v.i, v.j, v.x, v.y);
}

// The reference value of a real token: std::from_chars on the token without
// a leading '+' and with E for D. Only for tokens well inside the type's range.
template <class T>
bool reference_real(std::string token, T& value) {
  if (!token.empty() && token[0] == '+')
    token.erase(0, 1);
  for (char& c : token) {
    if (c == 'D' || c == 'd')
      c = 'e';
  }
  const auto r = std::from_chars(token.data(), token.data() + token.size(), value);
  return r.ec == std::errc() && r.ptr == token.data() + token.size();
}

TEST(read_free_plain_numbers, hands_over_at_every_other_form) {
  struct Case {
    const char* text;
    ReadStatus status;
    std::int32_t i, j;
    float x;
    double y;
    std::int64_t record;  // the record the read ended on
  };
  const Case cases[] = {
      {"1 2 3.5 4.5", ReadStatus::ok, 1, 2, 3.5f, 4.5, 1},
      {"1 2 2*3.5", ReadStatus::ok, 1, 2, 3.5f, 3.5, 1},
      {"2*7 3.5 4", ReadStatus::ok, 7, 7, 3.5f, 4.0, 1},
      {"1 2 3* 9", ReadStatus::ok, 1, 2, -1.0f, -1.0, 1},
      {"1 2 0*5 6", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 3.5 / 9", ReadStatus::ok, 1, 2, 3.5f, -1.0, 1},
      {"1 2 3.5/9", ReadStatus::ok, 1, 2, 3.5f, -1.0, 1},
      {",1 2 3.5", ReadStatus::ok, -1, 1, 2.0f, 3.5, 1},
      {"1\n,2 3.5 4.5", ReadStatus::ok, 1, 2, 3.5f, 4.5, 2},
      {"1,,3.5 4.5", ReadStatus::ok, 1, -1, 3.5f, 4.5, 1},
      {"1 , 2 ,3.5, 4.5", ReadStatus::ok, 1, 2, 3.5f, 4.5, 1},
      {"1 2 3.5, ,4.5", ReadStatus::ok, 1, 2, 3.5f, -1.0, 1},
      {"1 2 3.5,\n4.5", ReadStatus::ok, 1, 2, 3.5f, 4.5, 2},
      {"1 2\r\n3.5 4.5\r\n", ReadStatus::ok, 1, 2, 3.5f, 4.5, 2},
      {"1\t2 \t3.5\t\t4.5", ReadStatus::ok, 1, 2, 3.5f, 4.5, 1},
      {"1 2\n\n  \t\n3.5\n4.5\n9", ReadStatus::ok, 1, 2, 3.5f, 4.5, 5},
      {"1 2 3.5", ReadStatus::end_of_file, 1, 2, 3.5f, -1.0, 1},
      {"1 2 3.5 4.5 5 6", ReadStatus::ok, 1, 2, 3.5f, 4.5, 1},
      // Tokens that start like a number and are none.
      {"12abc 1 2 3", ReadStatus::error, 0, -1, -1.0f, -1.0, 1},
      {"1 2x 3 4", ReadStatus::error, 1, 0, -1.0f, -1.0, 1},
      {"1 2 3.5x 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 1.5.3 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 1e 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 1E+ 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 - 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 . 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 '3' 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 inf 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 1.5*2 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1.0 2 3 4", ReadStatus::error, 0, -1, -1.0f, -1.0, 1},
      {"1 2 3\r5 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      // Signs, exponent letters and the ends of the ranges.
      {"+1 -2 +.5 -2.5D1", ReadStatus::ok, 1, -2, 0.5f, -25.0, 1},
      {"1 2 1.5d+2 4E-1", ReadStatus::ok, 1, 2, 150.0f, 0.4, 1},
      {"1 2 1e-60 1D-400", ReadStatus::ok, 1, 2, 0.0f, 0.0, 1},
      {"1 2 1e39 4", ReadStatus::error, 1, 2, -1.0f, -1.0, 1},
      {"1 2 3 1e309", ReadStatus::error, 1, 2, 3.0f, -1.0, 1},
      {"2147483647 -2147483648 0 0", ReadStatus::ok, 2147483647, -2147483647 - 1, 0.0f, 0.0, 1},
      {"2147483648 1 2 3", ReadStatus::error, 0, -1, -1.0f, -1.0, 1},
      {"00000000000000000000012 -0000000000000000000000007 2 3", ReadStatus::ok, 12, -7, 2.0f, 3.0,
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto f = records_from_text("t", c.text);
    Four v;
    EXPECT_EQ(read_four(f, v), c.status);
    EXPECT_EQ(v.i, c.i);
    EXPECT_EQ(v.j, c.j);
    EXPECT_EQ(v.x, c.x);
    EXPECT_EQ(v.y, c.y);
    EXPECT_EQ(f.record_number, c.record);
  }
}

TEST(read_free_plain_numbers, negative_zero_and_long_mantissas_keep_their_values) {
  auto f = records_from_text("t",
                             "1 2 -0 -0.0E+5\n"
                             "1 2 16777217 9007199254740993\n"
                             "1 2 0.000000000000000000000000012345678901 "
                             "123456789012345678901234567890e-29\n");
  Four v;
  ASSERT_EQ(read_four(f, v), ReadStatus::ok);
  EXPECT_TRUE(v.x == 0.0f && std::signbit(v.x));
  EXPECT_TRUE(v.y == 0.0 && std::signbit(v.y));
  ASSERT_EQ(read_four(f, v), ReadStatus::ok);
  EXPECT_EQ(v.x, 16777216.0f);  // the tie rounds to even
  EXPECT_EQ(v.y, 9007199254740992.0);
  ASSERT_EQ(read_four(f, v), ReadStatus::ok);
  float x = 0.0f;
  double y = 0.0;
  ASSERT_TRUE(reference_real("0.000000000000000000000000012345678901", x));
  ASSERT_TRUE(reference_real("123456789012345678901234567890e-29", y));
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
}

TEST(read_free_plain_numbers, one_byte_integers_and_arrays_over_records) {
  auto f = records_from_text("t", "127 -128 128 5\n1 2 3\n4 5 6 7 8\n9 2*10 / 11\n");
  std::int8_t a = 9, b = 9, c = 9, d = 9;
  EXPECT_EQ(textio::read_free(f, a, b, c, d), ReadStatus::error);
  EXPECT_EQ(a, 127);
  EXPECT_EQ(b, -128);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(d, 9);
  EXPECT_STREQ(f.last_failure, "cannot read a 1-byte integer");
  float row[6] = {};
  std::int32_t n = 0;
  EXPECT_EQ(textio::read_free(f, std::span<float>(row), n), ReadStatus::ok);
  EXPECT_EQ(row[0], 1.0f);
  EXPECT_EQ(row[5], 6.0f);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(f.record_number, 3);
  std::int32_t tail[5] = {-1, -1, -1, -1, -1};
  EXPECT_EQ(textio::read_free(f, std::span<std::int32_t>(tail)), ReadStatus::ok);
  EXPECT_EQ(tail[0], 9);
  EXPECT_EQ(tail[1], 10);
  EXPECT_EQ(tail[2], 10);
  EXPECT_EQ(tail[3], -1);
}

TEST(read_free_plain_numbers, failure_report_names_the_record) {
  auto f = records_from_text("selhts.out", "1 2 3\n4 2.5\n");
  std::int32_t a = 0, b = 0, c = 0;
  textio::read_free_required(f, a, b, c);
  try {
    textio::read_free_required(f, a, b);
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_STREQ(e.what(), "selhts.out:2: cannot read an integer");
  }
}

TEST(read_free_plain_numbers, a_file_without_a_last_line_end_over_many_buffers) {
  // Records cut by the buffer's refills, and a last record with no line end:
  // the number at the very end of the data is read whole.
  testing_support::ScratchDir dir;
  std::string text;
  for (int k = 0; k < 60000; ++k)
    text += std::to_string(k) + " " + std::to_string(k % 977) + ".25\r\n";
  text += "123 4567";
  dir.write("selhts.out", text);
  auto f = textio::open_records(dir.file("selhts.out"));
  std::int32_t n = 0;
  float x = 0.0f;
  for (int k = 0; k < 60000; ++k) {
    ASSERT_EQ(textio::read_free(f, n, x), ReadStatus::ok) << k;
    ASSERT_EQ(n, k);
    ASSERT_EQ(x, static_cast<float>(k % 977) + 0.25f);
  }
  EXPECT_EQ(textio::read_free(f, n, x), ReadStatus::ok);
  EXPECT_EQ(n, 123);
  EXPECT_EQ(x, 4567.0f);
  EXPECT_EQ(textio::read_free(f, n), ReadStatus::end_of_file);
}

// Random texts of every form the reader knows, read by both routes into the
// same mixes of items: statuses, values, records and reasons must agree.
struct Targets {
  std::string text_a, text_b;
  std::int8_t i8 = 1;
  std::int32_t i32 = 2;
  std::int64_t i64 = 3;
  float r32 = 4.0f;
  double r64 = 5.0;
  float reals[4] = {6, 7, 8, 9};
  std::int32_t integers[3] = {10, 11, 12};

  bool operator==(const Targets& o) const {
    return text_a == o.text_a && text_b == o.text_b && i8 == o.i8 && i32 == o.i32 && i64 == o.i64 &&
           std::memcmp(&r32, &o.r32, sizeof r32) == 0 &&
           std::memcmp(&r64, &o.r64, sizeof r64) == 0 &&
           std::memcmp(reals, o.reals, sizeof reals) == 0 &&
           std::memcmp(integers, o.integers, sizeof integers) == 0;
  }
};

std::vector<FreeItem> mix_items(int mix, Targets& t) {
  using textio::free_item;
  switch (mix) {
    case 0:
      return {free_item(t.i32), free_item(t.i32), free_item(t.i32),
              free_item(t.r32), free_item(t.r32), free_item(t.r64)};
    case 1:
      return {free_item(t.i8), free_item(t.i64), free_item(t.r64), free_item(t.r32)};
    case 2:
      return {free_item(std::span<float>(t.reals)), free_item(std::span<std::int32_t>(t.integers))};
    case 3:
      return {free_item(t.i32), free_item(textio::text_item(t.text_a, 4)), free_item(t.r32)};
    default:
      return {free_item(textio::text_item(t.text_b, 6)), free_item(t.r64), free_item(t.i64),
              free_item(std::span<float>(t.reals))};
  }
}

std::string random_text(std::mt19937& rng) {
  static const char* const pieces[] = {"1",        "-17",
                                       "+4",       "0",
                                       "127",      "128",
                                       "-129",     "2147483648",
                                       "3.5",      "-.5",
                                       "+.25",     "5.",
                                       "1e3",      "1D-2",
                                       "2.5d+1",   "1e39",
                                       "1e-60",    "1E",
                                       "1e+",      "-",
                                       ".",        "1.2.3",
                                       "2*",       "3*1.5",
                                       "2*7",      "0*3",
                                       "*",        "'a'",
                                       "\"b",      "x",
                                       "12ab",     "inf",
                                       "16777217", "00000000000000000000042",
                                       "/",        ",",
                                       ",",        " ",
                                       " ",        "  ",
                                       "\t",       "\n",
                                       "\n",       "\r\n",
                                       "\r",       "1.5*2"};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 24);
  std::string text;
  for (int k = length(rng); k > 0; --k) {
    text += pieces[pick(rng)];
    if (rng() % 3 != 0)
      text += ' ';
  }
  return text;
}

TEST(read_free_plain_numbers, agrees_with_the_general_scanner) {
  std::mt19937 rng(20240611);
  for (int sample = 0; sample < 4000; ++sample) {
    const std::string text = random_text(rng);
    const int mix = sample % 5;
    auto fast = records_from_text("t", text);
    auto general = records_from_text("t", text);
    Targets a, b;
    const std::vector<FreeItem> items_a = mix_items(mix, a), items_b = mix_items(mix, b);
    for (int read = 0; read < 40; ++read) {
      const ReadStatus sa = textio::read_free_items(fast, items_a);
      const ReadStatus sb = textio::read_free_items_general(general, items_b);
      ASSERT_EQ(sa, sb) << "text [" << text << "] mix " << mix << " read " << read;
      ASSERT_TRUE(a == b) << "text [" << text << "] mix " << mix << " read " << read;
      ASSERT_EQ(fast.record_number, general.record_number) << "text [" << text << "]";
      ASSERT_STREQ(fast.last_failure, general.last_failure) << "text [" << text << "]";
      if (sa == ReadStatus::end_of_file)
        break;
    }
  }
}

std::string random_real_token(std::mt19937& rng) {
  std::string t;
  switch (rng() % 3) {
    case 0:
      t += '-';
      break;
    case 1:
      if (rng() % 4 == 0)
        t += '+';
      break;
    default:
      break;
  }
  // Mostly the short mantissas that the one-step conversion takes, and some
  // up to 22 digits, with the point anywhere.
  const int digits =
      rng() % 4 == 0 ? 1 + static_cast<int>(rng() % 22) : 1 + static_cast<int>(rng() % 9);
  const int point = static_cast<int>(rng() % (digits + 2)) - 1;  // -1: none
  for (int k = 0; k < digits; ++k) {
    if (k == point)
      t += '.';
    t += static_cast<char>('0' + rng() % 10);
  }
  if (point == digits)
    t += '.';
  if (rng() % 2 == 0) {
    static const char letters[] = {'E', 'e', 'D', 'd'};
    t += letters[rng() % 4];
    const int exponent = static_cast<int>(rng() % 61) - 30;
    if (exponent < 0 || rng() % 3 == 0)
      t += exponent < 0 ? '-' : '+';
    t += std::to_string(std::abs(exponent));
  }
  return t;
}

// read_free with number targets alone reads them in line; the same texts read
// through the items and the general scanner must give the same.
ReadStatus read_typed(textio::RecordFile& f, int mix, Targets& t) {
  if (mix == 0)
    return textio::read_free(f, t.i32, t.integers[0], t.integers[1], t.r32, t.reals[0], t.r64);
  return textio::read_free(f, t.i8, t.i64, t.r64, t.r32);
}

TEST(read_free_plain_numbers, typed_reads_agree_with_the_general_scanner) {
  std::mt19937 rng(4242);
  for (int sample = 0; sample < 4000; ++sample) {
    const std::string text = random_text(rng);
    const int mix = sample % 2;
    auto typed = records_from_text("t", text);
    auto general = records_from_text("t", text);
    Targets a, b;
    const std::vector<FreeItem> items =
        mix == 0 ? std::vector<FreeItem>{textio::free_item(b.i32),
                                         textio::free_item(b.integers[0]),
                                         textio::free_item(b.integers[1]),
                                         textio::free_item(b.r32),
                                         textio::free_item(b.reals[0]),
                                         textio::free_item(b.r64)}
                 : mix_items(1, b);
    for (int read = 0; read < 40; ++read) {
      const ReadStatus sa = read_typed(typed, mix, a);
      const ReadStatus sb = textio::read_free_items_general(general, items);
      ASSERT_EQ(sa, sb) << "text [" << text << "] mix " << mix << " read " << read;
      ASSERT_TRUE(a == b) << "text [" << text << "] mix " << mix << " read " << read;
      ASSERT_EQ(typed.record_number, general.record_number) << "text [" << text << "]";
      ASSERT_STREQ(typed.last_failure, general.last_failure) << "text [" << text << "]";
      if (sa == ReadStatus::end_of_file)
        break;
    }
  }
}

TEST(parse_reals, match_from_chars_bit_for_bit) {
  std::mt19937 rng(977);
  for (int k = 0; k < 200000; ++k) {
    const std::string t = random_real_token(rng);
    float expected32 = 0, got32 = 0;
    double expected64 = 0, got64 = 0;
    // Tokens beyond the range of float are left to the tests of the range.
    if (reference_real(t, expected32)) {
      ASSERT_TRUE(textio::parse_real32(t, got32)) << t;
      ASSERT_EQ(std::memcmp(&got32, &expected32, sizeof got32), 0) << t;
    }
    ASSERT_TRUE(reference_real(t, expected64)) << t;
    ASSERT_TRUE(textio::parse_real64(t, got64)) << t;
    ASSERT_EQ(std::memcmp(&got64, &expected64, sizeof got64), 0) << t;
  }
}

TEST(parse_reals, borders_of_the_one_step_conversion) {
  // Mantissas at 2^24 and 2^53, powers of ten at 10^10 and 10^22 and one past.
  const char* const tokens[] = {"16777216",
                                "16777217",
                                "16777218",
                                "16777219",
                                "1.6777217e7",
                                "9007199254740992",
                                "9007199254740993",
                                "9007199254740995",
                                "1e10",
                                "1e11",
                                "1e-10",
                                "1e-11",
                                "3.4028235e38",
                                "3.4028236e38",
                                "1.17549435e-38",
                                "1e22",
                                "1e23",
                                "1e-22",
                                "1e-23",
                                "8.589973e9",
                                "1.7976931348623157e308",
                                "0.1",
                                "0.3",
                                "123456789",
                                "1234567890123456789",
                                "12345678901234567890"};
  for (const char* t : tokens) {
    SCOPED_TRACE(t);
    float expected32 = 0, got32 = 0;
    double expected64 = 0, got64 = 0;
    const bool fits32 = reference_real(t, expected32);
    ASSERT_TRUE(reference_real(t, expected64));
    EXPECT_EQ(textio::parse_real32(t, got32), fits32);
    if (fits32) {
      EXPECT_EQ(got32, expected32);
    }
    ASSERT_TRUE(textio::parse_real64(t, got64));
    EXPECT_EQ(got64, expected64);
  }
}

TEST(parse_reals, decimals_next_to_the_midpoint_of_two_floats) {
  // The shortest decimal of the double halfway between two floats is a value
  // beside that midpoint whose double is the midpoint itself: a float rounded
  // from the double would go by the tie rule, not by the side of the value.
  std::mt19937 rng(2428);
  int compared = 0;
  for (int k = 0; k < 200000; ++k) {
    const std::uint32_t bits = (rng() & 0x807FFFFFu) | ((110u + rng() % 50u) << 23);
    float a;
    std::memcpy(&a, &bits, sizeof a);
    const double midpoint =
        (static_cast<double>(a) + static_cast<double>(std::nextafter(a, 2.0f * a))) / 2.0;
    char text[40];
    const auto r = std::to_chars(text, text + sizeof text, midpoint);
    const std::string token(text, r.ptr);
    float expected = 0.0f, got = 0.0f;
    ASSERT_TRUE(reference_real(token, expected)) << token;
    ASSERT_TRUE(textio::parse_real32(token, got)) << token;
    ASSERT_EQ(got, expected) << token;
    ++compared;
  }
  EXPECT_EQ(compared, 200000);
}

TEST(parse_integers, long_digit_runs_and_the_ends_of_the_ranges) {
  struct Case {
    const char* token;
    bool ok8, ok32, ok64;
    std::int64_t value;
  };
  const Case cases[] = {
      {"0000000000000000000000127", true, true, true, 127},
      {"-0000000000000000000000128", true, true, true, -128},
      {"+00000000000000000000000000000000001", true, true, true, 1},
      {"9223372036854775807", false, false, true, 9223372036854775807},
      {"-9223372036854775808", false, false, true, -9223372036854775807 - 1},
      {"9223372036854775808", false, false, false, 0},
      {"9999999999999999999", false, false, false, 0},
      {"18446744073709551616", false, false, false, 0},
      {"-2147483648", false, true, true, -2147483648LL},
      {"-2147483649", false, false, true, -2147483649LL},
      {"4294967296", false, false, true, 4294967296LL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    std::int8_t v8 = 0;
    std::int32_t v32 = 0;
    std::int64_t v64 = 0;
    EXPECT_EQ(textio::parse_int8(c.token, v8), c.ok8);
    EXPECT_EQ(textio::parse_int32(c.token, v32), c.ok32);
    EXPECT_EQ(textio::parse_int64(c.token, v64), c.ok64);
    if (c.ok8) {
      EXPECT_EQ(v8, c.value);
    }
    if (c.ok32) {
      EXPECT_EQ(v32, c.value);
    }
    if (c.ok64) {
      EXPECT_EQ(v64, c.value);
    }
  }
}

TEST(parse_f13_6, plain_fields_and_the_forms_left_to_the_general_route) {
  struct Case {
    const char* field;
    bool ok;
    float value;
  };
  const Case cases[] = {
      {"    -0.500000", true, -0.5f},          {"  20000.00000", true, 20000.0f},
      {"\t  12.345678", false, 0.0f},          {"      -.25   ", true, -0.25f},
      {"         +5. ", true, 5.0f},           {"      1234567", true, 1.234567f},
      {"           -0", true, -0.0f},          {"   16777217.0", true, 16777216.0f},
      {"123456789.123", true, 123456789.123f}, {"0000000000001", true, 0.000001f},
      {"  1 2 3 . 5  ", true, 123.5f},         {"      1.5E+02", true, 150.0f},
      {"      1.5-02 ", false, 0.0f},          {"       2.5d1 ", true, 25.0f},
      {"       -     ", false, 0.0f},          {"       .     ", false, 0.0f},
      {"      1.2.3  ", false, 0.0f},          {"      12-    ", false, 0.0f},
      {"      --1    ", false, 0.0f},          {"      1e39   ", true, 1e33f},
      {"     1.e39   ", false, 0.0f},          {"      1,5    ", false, 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    float v = 99.0f;
    EXPECT_EQ(textio::parse_f13_6(c.field, v), c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
      EXPECT_EQ(std::signbit(v), std::signbit(c.value));
    } else {
      EXPECT_EQ(v, 99.0f);
    }
  }
}

TEST(parse_f13_6, random_plain_fields_match_from_chars) {
  // Blanks, a sign, up to 12 digits with or without a point, right-justified
  // or not: the value is the decimal as written, or with 6 implied decimals.
  std::mt19937 rng(1306);
  for (int k = 0; k < 100000; ++k) {
    std::string number;
    if (rng() % 3 == 0)
      number += rng() % 2 ? '-' : '+';
    const int digits = 1 + static_cast<int>(rng() % 12);
    const int point = static_cast<int>(rng() % (digits + 2)) - 1;  // -1: none
    for (int d = 0; d < digits; ++d) {
      if (d == point)
        number += '.';
      number += static_cast<char>('0' + rng() % 10);
    }
    if (point == digits)
      number += '.';
    if (number.size() > 13)
      continue;
    const std::size_t lead = rng() % (14 - number.size());
    const std::string field =
        std::string(lead, ' ') + number + std::string(13 - lead - number.size(), ' ');
    std::string reference = number;
    if (point < 0)
      reference += "e-6";
    float expected = 0.0f, got = 0.0f;
    ASSERT_TRUE(reference_real(reference, expected)) << field;
    ASSERT_TRUE(textio::parse_f13_6(field, got)) << field;
    ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << "[" << field << "]";
  }
}

}  // namespace
