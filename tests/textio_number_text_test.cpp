// Number fields of the free-format writer and the parsing of number tokens.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/real_reference.h"
#include "textio/number_text.h"

namespace {
using testing_support::reference_plain_real32;

// Each field is made through a table of recent fields, as output files make
// them, and without one: the two must agree.
std::string real32(float v) {
  static textio::Real32FieldCache recent;
  char cached[textio::real32_field_width];
  char plain[textio::real32_field_width];
  textio::format_real32_field(v, cached, &recent);
  textio::format_real32_field(v, plain);
  const std::string field(cached, sizeof cached);
  EXPECT_EQ(field, std::string(plain, sizeof plain)) << v;
  return field;
}

std::string real64(double v) {
  char field[textio::real64_field_width];
  textio::format_real64_field(v, field);
  return std::string(field, sizeof field);
}

TEST(format_real32_field, plain_and_exponent_forms) {
  struct Case {
    float value;
    const char* field;
  };
  const Case cases[] = {
      {1.0f, "   1.000000    "},          {8760.0f, "   8760.000    "},
      {0.5f, "  0.5000000    "},          {1234567.0f, "   1234567.    "},
      {123456789.0f, "  1.2345679E+08"},  {0.01f, "  1.0000000E-02"},
      {0.0f, "  0.0000000E+00"},          {-0.5f, " -0.5000000    "},
      {-1234567.0f, "  -1234567.    "},   {9999999.0f, "   9999999.    "},
      {10000000.0f, "  1.0000000E+07"},   {0.1f, "  0.1000000    "},
      {0.099999994f, "  9.9999994E-02"},  {0.09999f, "  9.9990000E-02"},
      {33.333332f, "   33.33333    "},    {123.456787109375f, "   123.4568    "},
      {25.0f, "   25.00000    "},         {-99999.0f, "  -99999.00    "},
      {3.4028235e38f, "  3.4028235E+38"}, {1.0e-45f, "  1.0000000E-45"},
      {-2.5e-7f, " -2.5000000E-07"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(real32(c.value), c.field);
  }
}

TEST(format_real32_field, digit_string_ties_round_away_from_zero) {
  // 1.0000005 is the shortest string of its float: seven digits give 1.000001.
  EXPECT_EQ(real32(1.0000005f), "   1.000001    ");
  EXPECT_EQ(real32(-1.0000005f), "  -1.000001    ");
  EXPECT_EQ(real32(99999999.0f), "  1.0000000E+08");
}

TEST(format_real64_field, plain_and_exponent_forms) {
  struct Case {
    double value;
    const char* field;
  };
  const Case cases[] = {
      {1.0, "   1.00000000000000     "},
      {0.0, "  0.000000000000000E+000"},
      {-99999.0, "  -99999.0000000000     "},
      {500000.0, "   500000.000000000     "},
      {0.1, "  0.100000000000000     "},
      // Sixteen nines round up to 0.1, which takes the plain form.
      {0.09999999999999999, "  0.100000000000000     "},
      {9.9999999999999995, "   10.0000000000000     "},
      {0.01, "  1.000000000000000E-002"},
      {1e15, "  1.000000000000000E+015"},
      {999999999999999.0, "   999999999999999.     "},
      {123.456789012, "   123.456789012000     "},
      {-1e-300, " -1.000000000000000E-300"},
      {1.7976931348623157e308, "  1.797693134862316E+308"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(real64(c.value), c.field);
  }
}

TEST(format_real_fields, values_that_are_not_numbers) {
  EXPECT_EQ(real32(std::numeric_limits<float>::infinity()), "       Infinity");
  EXPECT_EQ(real32(-std::numeric_limits<float>::infinity()), "      -Infinity");
  EXPECT_EQ(real64(std::nan("")), "                     NaN");
}

TEST(format_int_field, right_justified_in_the_width) {
  char field[22];
  textio::format_int_field(12, 12, field);
  EXPECT_EQ(std::string(field, 12), "          12");
  textio::format_int_field(-128, 5, field);
  EXPECT_EQ(std::string(field, 5), " -128");
  textio::format_int_field(std::numeric_limits<std::int64_t>::min(), 22, field);
  EXPECT_EQ(std::string(field, 22), "  -9223372036854775808");
}

TEST(parse_integers, sign_digits_and_range) {
  struct Case {
    const char* token;
    bool ok8, ok32;
    int value;
  };
  const Case cases[] = {
      {"0", true, true, 0},
      {"+12", true, true, 12},
      {"-128", true, true, -128},
      {"127", true, true, 127},
      {"128", false, true, 128},
      {"-129", false, true, -129},
      {"1.0", false, false, 0},
      {"1e3", false, false, 0},
      {"", false, false, 0},
      {"-", false, false, 0},
      {"12a", false, false, 0},
      {"2147483647", false, true, 2147483647},
      {"2147483648", false, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    std::int8_t v8 = 99;
    std::int32_t v32 = 99;
    EXPECT_EQ(textio::parse_int8(c.token, v8), c.ok8);
    EXPECT_EQ(textio::parse_int32(c.token, v32), c.ok32);
    if (c.ok32) {
      EXPECT_EQ(v32, c.value);
    }
    if (c.ok8) {
      EXPECT_EQ(v8, c.value);
    }
  }
  std::int64_t v64 = 0;
  EXPECT_TRUE(textio::parse_int64("-9223372036854775808", v64));
  EXPECT_EQ(v64, std::numeric_limits<std::int64_t>::min());
  EXPECT_FALSE(textio::parse_int64("9223372036854775808", v64));
}

TEST(parse_reals, forms_and_exponent_letters) {
  struct Case {
    const char* token;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"1", true, 1.0},       {"-2.5", true, -2.5},    {"+.5", true, 0.5},
      {"5.", true, 5.0},      {"1.5E2", true, 150.0},  {"1.5e-2", true, 0.015},
      {"1.5D2", true, 150.0}, {"1.5d+2", true, 150.0}, {"1E", false, 0},
      {".", false, 0},        {"inf", false, 0},       {"nan", false, 0},
      {"1.0.0", false, 0},    {"1,0", false, 0},       {"e5", false, 0},
      {"0x10", false, 0},     {"1.5E2x", false, 0},    {"-0", true, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    double v64 = -7.0;
    EXPECT_EQ(textio::parse_real64(c.token, v64), c.ok);
    if (c.ok) {
      EXPECT_EQ(v64, c.value);
    }
    float v32 = -7.0f;
    EXPECT_EQ(textio::parse_real32(c.token, v32), c.ok);
    if (c.ok) {
      EXPECT_EQ(v32, static_cast<float>(c.value));
    }
  }
}

TEST(parse_reals, straight_into_float_and_out_of_range) {
  float v = 0;
  // Parsed into float directly: going through double would round twice here.
  ASSERT_TRUE(textio::parse_real32("1.00000005960464477539062500000001", v));
  EXPECT_EQ(v, 1.00000011920928955078125f);
  EXPECT_FALSE(textio::parse_real32("1e39", v));
  EXPECT_FALSE(textio::parse_real32("-1e39", v));
  ASSERT_TRUE(textio::parse_real32("1e-60", v));
  EXPECT_EQ(v, 0.0f);
  ASSERT_TRUE(textio::parse_real32("0.0000000000000000000000000000000000000000000000000001", v));
  EXPECT_EQ(v, 0.0f);
  double d = 0;
  EXPECT_FALSE(textio::parse_real64("1D400", d));
  ASSERT_TRUE(textio::parse_real64("1D-400", d));
  EXPECT_EQ(d, 0.0);
}

}  // namespace

namespace {

TEST(format_real32_field, repeated_values_give_the_same_field) {
  // Many values share the slots of the table of recent fields: writing them
  // again, in another order, must give each its own digits.
  std::vector<float> values;
  std::vector<std::string> first;
  std::uint32_t state = 12345;
  for (int k = 0; k < 100000; ++k) {
    state = state * 1664525u + 1013904223u;
    values.push_back(static_cast<float>(state % 2000000) / 1000.0f - 1000.0f);
    first.push_back(real32(values.back()));
  }
  for (int k = static_cast<int>(values.size()) - 1; k >= 0; --k) {
    ASSERT_EQ(real32(values[k]), first[k]) << values[k];
  }
  EXPECT_EQ(real32(1.5f), "   1.500000    ");
  EXPECT_EQ(real32(-1.5f), "  -1.500000    ");
}

}  // namespace

namespace {

TEST(format_real32_field, plain_form_matches_the_shortest_digits_rounded) {
  std::uint32_t state = 2463534242u;
  int compared = 0;
  for (int k = 0; k < 300000; ++k) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    // Bit patterns spread over the plain range 0.1 .. 10^7 and both signs.
    const std::uint32_t bits = (state & 0x807FFFFFu) | ((123u + (state >> 23) % 27u) << 23);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    const std::string expected = reference_plain_real32(v);
    if (expected.empty())
      continue;
    ASSERT_EQ(real32(v), expected) << v;
    ++compared;
  }
  EXPECT_GT(compared, 250000);
}

}  // namespace

namespace {

// The floats where the seven digits are hardest to get: those nearest to a
// half-way point of seven-digit decimals (whose shortest digits may end in
// that 5), their neighbours, and the floats on both sides of the powers of ten
// that bound the plain form's decades.
TEST(format_real32_field, plain_form_near_half_way_points_and_decade_ends) {
  std::vector<float> values;
  std::uint32_t state = 88172645u;
  for (int k = 0; k < 40000; ++k) {
    state = state * 1664525u + 1013904223u;
    const int exponent = static_cast<int>(state >> 28) % 8 - 1;  // -1 .. 6
    const std::uint32_t seven = 1000000u + (state >> 4) % 9000000u;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%u5e%d", seven, exponent - 7);
    float v = 0;
    std::from_chars(text, text + n, v);
    values.push_back(v);
    values.push_back(std::nextafter(v, 0.0f));
    values.push_back(std::nextafter(v, 1e30f));
  }
  for (float power = 0.1f; power <= 1e7f; power *= 10.0f) {
    float v = power;
    for (int k = 0; k < 40; ++k) v = std::nextafter(v, 0.0f);
    for (int k = 0; k < 80; ++k, v = std::nextafter(v, 1e30f)) values.push_back(v);
  }
  int compared = 0;
  for (const float v : values) {
    for (const float signed_v : {v, -v}) {
      const std::string expected = reference_plain_real32(signed_v);
      if (expected.empty())
        continue;
      ASSERT_EQ(real32(signed_v), expected) << signed_v;
      ++compared;
    }
  }
  EXPECT_GT(compared, 200000);
}

}  // namespace

namespace {

// Series whose values repeat and series whose values do not, one after the
// other: the table of recent fields is used for the first and passed by for
// the second, and every field stays right through the changes.
TEST(format_real32_field, fields_right_whether_values_repeat_or_not) {
  std::uint32_t state = 1u;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state;
  };
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    std::vector<float> few;
    for (int k = 0; k < 300; ++k)
      few.push_back(static_cast<float>(next() % 100000) / 1000.0f + 0.1f);
    for (int k = 0; k < 200000; ++k) {
      const float v = (k / 7) % 2 == 0 ? few[static_cast<std::size_t>(k) % few.size()]
                                       : static_cast<float>(next() % 2000000) / 997.0f + 0.5f;
      ASSERT_EQ(real32(v), reference_plain_real32(v)) << k << " " << v;
    }
    for (int k = 0; k < 200000; ++k) {
      const float v = static_cast<float>(next() % 2000000) / 997.0f + 0.5f;
      ASSERT_EQ(real32(v), reference_plain_real32(v)) << k << " " << v;
    }
  }
}

}  // namespace
