// CSV fields of the run report: quoting and plain decimal numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "report/csv_text.h"

namespace {

TEST(csv_text, fields_and_numbers) {
  struct Text {
    std::string in, out;
  };
  const Text texts[] = {{"no_cell;dry", "no_cell;dry"},
                        {"a,b", "\"a,b\""},
                        {"say \"hi\"", "\"say \"\"hi\"\"\""},
                        {"two\nlines", "\"two\nlines\""},
                        {"", ""}};
  for (const auto& t : texts) EXPECT_EQ(report::csv_field(t.in), t.out);

  struct Number {
    double value;
    int digits;
    bool significant;
    std::string out;
  };
  const Number numbers[] = {
      {512027.4519052845, 3, false, "512027.452"},
      {-0.0001, 3, false, "0.000"},
      {1.5, 3, false, "1.500"},
      {0.012345, 4, true, "0.01235"},
      {1234567.0, 4, true, "1234567"},
      {7815.018, 4, true, "7815"},
      {-7.8, 4, true, "-7.800"},
      {0.0, 4, true, "0"},
      {1e-30, 4, true, "0.000000000000000000000000000001000"},
      {NAN, 4, true, ""},
      {INFINITY, 3, false, ""},
  };
  for (const auto& n : numbers) {
    SCOPED_TRACE(n.value);
    EXPECT_EQ(n.significant ? report::plain_significant(n.value, n.digits)
                            : report::plain_decimals(n.value, n.digits),
              n.out);
  }
}

}  // namespace
