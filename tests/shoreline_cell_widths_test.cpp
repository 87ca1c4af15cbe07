#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shoreline/cell_widths.h"
#include "textio/record_file.h"

namespace {

const std::string header = "Cell widths\nbeach 2012\n'grid one'\nmetres\n";

// Widths read from `body` after the header into nx cells filled with -1.
std::vector<float> widths_from(const std::string& text, std::size_t nx) {
  auto f = textio::records_from_text("cells.shdx", text);
  std::vector<float> widths(nx, -1.0f);
  shoreline::read_width_groups(f, widths);
  return widths;
}

std::vector<float> counting(std::size_t from, std::size_t to, std::size_t nx) {
  std::vector<float> w(nx, -1.0f);
  for (std::size_t k = from; k <= to; ++k) w[k - 1] = static_cast<float>(k);
  return w;
}

std::string values(std::size_t from, std::size_t to) {
  std::string s;
  for (std::size_t k = from; k <= to; ++k) s += std::to_string(k) + (k < to ? " " : "");
  return s + "\n";
}

TEST(read_width_groups, groups_of_ten_from_fresh_records) {
  struct Case {
    const char* what;
    std::string body;
    std::vector<float> expected;
  };
  const Case cases[] = {
      {"ten, ten and five per record", values(1, 10) + values(11, 20) + values(21, 25),
       counting(1, 25, 25)},
      // The rest of cell 10's record is lost; cells 11 on start after it.
      {"all on one record", values(1, 25), counting(1, 10, 25)},
      {"five per record",
       values(1, 5) + values(6, 10) + values(11, 15) + values(16, 20) + values(21, 25),
       counting(1, 25, 25)},
      {"a comma list over blank records", "1,2,3\n\n4 5 6 7 8 9 10\n11\n", counting(1, 11, 11)},
      {"short file", values(1, 10) + values(11, 14), counting(1, 14, 25)},
      {"nothing after the header", "", counting(1, 0, 25)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(widths_from(header + c.body, c.expected.size()), c.expected);
  }
}

TEST(read_width_groups, a_bad_value_spoils_only_its_group) {
  // Group 2 keeps the two values before the bad one, the others keep -1; group
  // 3 starts on the record after the bad one.
  std::vector<float> expected = counting(1, 10, 25);
  expected[10] = 11;
  expected[11] = 12;
  for (std::size_t k = 21; k <= 25; ++k) expected[k - 1] = static_cast<float>(k);
  EXPECT_EQ(widths_from(header + values(1, 10) + "11 12 x 14\n" + values(21, 25), 25), expected);
}

TEST(read_width_groups, short_header_leaves_every_width) {
  EXPECT_EQ(widths_from("one\ntwo\n", 3), counting(1, 0, 3));
  EXPECT_EQ(widths_from("a\nb\nc\nd\n", 0), std::vector<float>{});
}

TEST(read_width_groups, header_records_are_free_format_values) {
  // A blank record holds no value, so the fourth header value is the first
  // width record, and the widths start on the record after it.
  EXPECT_EQ(widths_from("a\n\nb\nc\n100 200\n300 400\n", 2), (std::vector<float>{300, 400}));
}

}  // namespace
