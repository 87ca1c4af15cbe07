#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wavemodel_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/station_output.h"

namespace {

using testing_support::crlf_records;
using testing_support::written_text;

TEST(wavemodel_station_output, record_count_includes_blank_records_and_rewinds) {
  struct Case {
    const char* what;
    const char* text;
    std::int32_t count;
  };
  const Case cases[] = {
      {"empty file", "", 0},
      {"two records", "1 2\n3 4\n", 2},
      {"last record without a line end", "1 2\n3 4", 2},
      {"blank records count", "1 2\n\n   \n3 4\n", 4},
      {"CR LF records", "1 2\r\n\r\n3 4\r\n", 3},
      {"a text heading counts", "station output\n1 2\n", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto f = textio::records_from_text("selhts.out", c.text);
    EXPECT_EQ(wavemodel::count_station_records(f), c.count);
    const auto first = textio::next_record(f);
    EXPECT_EQ(first.has_value(), c.count > 0);  // back at the first record
    if (first) {
      EXPECT_EQ(*first, std::string_view(c.text).substr(0, first->size()));
    }
  }
}

TEST(wavemodel_station_output, values_go_by_event_and_station) {
  // Two events at two stations: a record continued on the next one, values after
  // the sixth ignored, commas, a blank record passed over.
  const char* text =
      "1 10 20 1.5 8.0 270.5\n"
      "2, 11, 21, 2.5, 9.0, 180.25 99 99\n"
      "3 12\n"
      "22 3.5 10.0 90.125\n"
      "\n"
      "4 13 23 4.5 11.0 0.0\n";
  auto f = textio::records_from_text("selhts.out", text);
  const auto out = wavemodel::read_station_output(f, 2, 2);
  EXPECT_EQ(out.station_i, (std::vector<std::int32_t>{12, 13}));  // the last event's cells
  EXPECT_EQ(out.station_j, (std::vector<std::int32_t>{22, 23}));
  ASSERT_EQ(out.wave_height.rows, 2);
  ASSERT_EQ(out.wave_height.columns, 2);
  const float heights[2][2] = {{1.5f, 2.5f}, {3.5f, 4.5f}};  // [event][station]
  const float periods[2][2] = {{8.0f, 9.0f}, {10.0f, 11.0f}};
  const double directions[2][2] = {{270.5, 180.25}, {90.125, 0.0}};
  for (int e = 0; e < 2; ++e) {
    for (int s = 0; s < 2; ++s) {
      EXPECT_EQ(out.wave_height(e, s), heights[e][s]);
      EXPECT_EQ(out.wave_period(e, s), periods[e][s]);
      EXPECT_EQ(out.wave_direction(e, s), directions[e][s]);
    }
  }
}

TEST(wavemodel_station_output, direction_keeps_eight_byte_precision) {
  auto f = textio::records_from_text("selhts.out", "1 1 1 0.1 0.1 123.456789012345\n");
  const auto out = wavemodel::read_station_output(f, 1, 1);
  EXPECT_EQ(out.wave_direction(0, 0), 123.456789012345);
  EXPECT_EQ(out.wave_height(0, 0), 0.1f);
}

TEST(wavemodel_station_output, records_past_the_whole_events_are_never_read) {
  // 10 records at 3 stations: 3 events; the tenth record is no data.
  std::string text;
  for (int r = 1; r <= 9; ++r) text += std::to_string(r) + " 1 1 1.0 2.0 3.0\n";
  text += "not a station record\n";
  auto f = textio::records_from_text("selhts.out", text);
  const std::int32_t records = wavemodel::count_station_records(f);
  EXPECT_EQ(records, 10);
  EXPECT_NO_THROW(wavemodel::read_station_output(f, records / 3, 3));
}

TEST(wavemodel_station_output, no_event_reads_nothing) {
  auto f = textio::records_from_text("selhts.out", "heading\n");
  const auto out = wavemodel::read_station_output(f, 0, 3);
  EXPECT_EQ(out.station_i, (std::vector<std::int32_t>{0, 0, 0}));
  EXPECT_TRUE(out.wave_height.values.empty());
  EXPECT_TRUE(out.wave_direction.values.empty());
}

TEST(wavemodel_station_output, unreadable_values_are_fatal) {
  struct Case {
    const char* what;
    const char* text;
  };
  const Case cases[] = {
      {"a text heading read as data", "KRV-Wave stations\n1 1 1 1.0 2.0 3.0\n2 1 1 1.0 2.0 3.0\n"},
      {"a blank record leaves the last read short", "1 1 1 1.0 2.0 3.0\n\n"},
      {"field 1 must be an integer", "1.0 1 1 1.0 2.0 3.0\n2 1 1 1.0 2.0 3.0\n"},
      {"a cell index must be an integer", "1 1.5 1 1.0 2.0 3.0\n2 1 1 1.0 2.0 3.0\n"},
      {"a height must be a number", "1 1 1 high 2.0 3.0\n2 1 1 1.0 2.0 3.0\n"},
      {"too few values before the end", "1 1 1 1.0 2.0 3.0\n2 1 1 1.0\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto f = textio::records_from_text("selhts.out", c.text);
    EXPECT_THROW(wavemodel::read_station_output(f, 1, 2), textio::IoError);
  }
}

TEST(wavemodel_station_output, first_station_outside_the_grid) {
  struct Case {
    const char* what;
    std::vector<std::int32_t> i, j;
    std::int32_t outside;
  };
  // A grid of 4 x 3 cells.
  const Case cases[] = {
      {"corners inside", {1, 4, 1, 4}, {1, 1, 3, 3}, 0},
      {"i of 0", {1, 0}, {1, 1}, 2},
      {"i past the grid", {5, 1}, {1, 1}, 1},
      {"j of 0", {1, 1, 1}, {1, 2, 0}, 3},
      {"j past the grid", {2}, {4}, 1},
      {"negative cell", {-1}, {-1}, 1},
      {"the first of several", {1, 9, 9}, {1, 9, 9}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(wavemodel::first_station_outside_grid(c.i, c.j, 4, 3), c.outside);
  }
}

TEST(wavemodel_station_output, outside_message) {
  context::Status status = context::Status::ok;
  const std::string text = written_text([&](textio::OutputFile& out) {
    status = wavemodel::check_station_cells(out, {1, 2, 7}, {1, 2, 2}, 6, 2);
  });
  EXPECT_EQ(status, context::Status::error_stop);
  EXPECT_EQ(text, crlf_records({" ERROR: Wave observation station           3  lies outside the "
                                "KRV-Wave grid!"}));
}

}  // namespace
