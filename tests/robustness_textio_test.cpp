// Inputs found by fuzzing the text layer, kept as regression tests. Run under
// the sanitizer preset they also catch undefined behaviour on the way.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "textio/number_text.h"

namespace {

// A token one past the most positive value used to be rejected only after
// negating the most negative value (signed overflow).
TEST(robustness_textio, integer_tokens_at_the_edges_of_their_type) {
  struct Case {
    const char* token;
    bool ok;
    std::int64_t value;
  };
  const Case int64_cases[] = {
      {"9223372036854775807", true, std::numeric_limits<std::int64_t>::max()},
      {"+9223372036854775807", true, std::numeric_limits<std::int64_t>::max()},
      {"9223372036854775808", false, 0},
      {"+9223372036854775808", false, 0},
      {"-9223372036854775808", true, std::numeric_limits<std::int64_t>::min()},
      {"-9223372036854775809", false, 0},
      {"99999999999999999999", false, 0},
  };
  for (const auto& c : int64_cases) {
    SCOPED_TRACE(c.token);
    std::int64_t v = 17;
    EXPECT_EQ(textio::parse_int64(c.token, v), c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
    }
  }

  const Case int32_cases[] = {
      {"2147483647", true, 2147483647},
      {"2147483648", false, 0},
      {"-2147483648", true, -2147483647 - 1},
      {"-2147483649", false, 0},
  };
  for (const auto& c : int32_cases) {
    SCOPED_TRACE(c.token);
    std::int32_t v = 17;
    EXPECT_EQ(textio::parse_int32(c.token, v), c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
    }
  }

  const Case int8_cases[] = {
      {"127", true, 127},
      {"128", false, 0},
      {"-128", true, -128},
      {"-129", false, 0},
  };
  for (const auto& c : int8_cases) {
    SCOPED_TRACE(c.token);
    std::int8_t v = 17;
    EXPECT_EQ(textio::parse_int8(c.token, v), c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
    }
  }
}

}  // namespace
