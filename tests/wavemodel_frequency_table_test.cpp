#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "context/table.h"
#include "tests/table_support.h"
#include "textio/record_file.h"
#include "wavemodel/frequency_table.h"

namespace {

struct Tables {
  context::Table<float> percent, fraction;
  context::Table<std::int32_t> repeats;
  std::vector<std::int32_t> period_events;
};

Tables created(std::int32_t events, std::int32_t periods) {
  Tables t;
  wavemodel::create_frequency_tables(events, periods, t.percent, t.fraction, t.repeats,
                                     t.period_events);
  return t;
}

// The percentages by event, one row per event.
std::vector<std::vector<float>> rows_of(const context::Table<float>& t) {
  std::vector<std::vector<float>> rows(static_cast<std::size_t>(t.rows));
  for (std::int32_t e = 0; e < t.rows; ++e) {
    for (std::int32_t p = 0; p < t.columns; ++p) rows[e].push_back(t(e, p));
  }
  return rows;
}

TEST(wavemodel_frequency_table, defaults_share_the_events_evenly) {
  const Tables t = created(3, 2);
  EXPECT_EQ(t.percent.rows, 3);
  EXPECT_EQ(t.percent.columns, 2);
  EXPECT_EQ(testing_support::elements(t.percent),
            std::vector<float>(6, 33.333332f));  // 4-byte quotient
  EXPECT_EQ(testing_support::elements(t.fraction), std::vector<float>(6, 0.0f));
  EXPECT_EQ(testing_support::elements(t.repeats), std::vector<std::int32_t>(6, 0));
  EXPECT_EQ(t.period_events, std::vector<std::int32_t>(2, 0));

  const Tables none = created(0, 2);
  EXPECT_TRUE(none.percent.values.empty());
  EXPECT_EQ(none.period_events.size(), 2u);
  EXPECT_TRUE(created(4, 0).percent.values.empty());
  EXPECT_TRUE(created(4, -1).period_events.empty());
}

TEST(wavemodel_frequency_table, file_entries_short_files_and_faults) {
  struct Case {
    const char* what;
    std::int32_t events, periods;
    const char* text;
    std::vector<std::vector<float>> percent;
  };
  const Case cases[] = {
      {"a file shorter than the events",
       4,
       2,
       "10 20\n30 40\n50 60\n",
       {{10, 20}, {30, 40}, {50, 60}, {25, 25}}},
      {"one period takes the first number of each record", 2, 1, "10 20 30\n40 50\n", {{10}, {40}}},
      {"an entry continues on the next record", 2, 2, "10\n20 30\n40 50\n", {{10, 20}, {40, 50}}},
      {"blank records are passed over", 2, 2, "\n10 20\n\n30 40\n", {{10, 20}, {30, 40}}},
      {"a fault keeps the numbers before it",
       3,
       3,
       "10 x 30\n40 50 60\n",
       {{10, 100.0f / 3.0f, 100.0f / 3.0f},
        {40, 50, 60},
        {100.0f / 3.0f, 100.0f / 3.0f, 100.0f / 3.0f}}},
      {"a fault on the first number", 2, 2, "x 5\n30 40\n", {{50, 50}, {30, 40}}},
      {"the file ends inside an entry", 2, 2, "10\n", {{10, 50}, {50, 50}}},
      {"an empty file", 2, 2, "", {{50, 50}, {50, 50}}},
      {"commas and a repeat", 2, 3, "1,2,3\n3*7\n", {{1, 2, 3}, {7, 7, 7}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Tables t = created(c.events, c.periods);
    auto f = textio::records_from_text("freq.txt", c.text);
    wavemodel::read_frequency_file(f, t.percent);
    EXPECT_EQ(rows_of(t.percent), c.percent);
  }
}

TEST(wavemodel_frequency_table, output_events_split_evenly_over_the_periods) {
  struct Case {
    std::int32_t output_events, periods, per_period;
  };
  const Case cases[] = {{8760, 12, 730}, {8761, 12, 730}, {11, 12, 0}, {5, 1, 5}, {-7, 2, -3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.output_events << " / " << c.periods);
    Tables t = created(2, c.periods);
    wavemodel::split_output_events(c.output_events, t.period_events);
    EXPECT_EQ(t.period_events, std::vector<std::int32_t>(c.periods, c.per_period));
  }
  Tables none = created(2, 0);
  wavemodel::split_output_events(10, none.period_events);  // no period, no division
  EXPECT_TRUE(none.period_events.empty());
}

}  // namespace
