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

// What a read of the station output leaves: the tables and cells, or the
// failure's report, and the record read next.
std::string read_outcome(textio::RecordFile& f, std::int32_t events, std::int32_t stations,
                         const std::vector<textio::RecordMark>& marks, unsigned threads) {
  std::string seen;
  try {
    const auto out = wavemodel::read_station_output(f, events, stations, marks, threads);
    for (std::size_t s = 0; s < out.station_i.size(); ++s)
      seen += std::to_string(out.station_i[s]) + "," + std::to_string(out.station_j[s]) + " ";
    for (std::size_t k = 0; k < out.wave_height.values.size(); ++k) {
      seen += std::to_string(out.wave_height.values[k]) + "/" +
              std::to_string(out.wave_period.values[k]) + "/" +
              std::to_string(out.wave_direction.values[k]) + " ";
    }
    const auto next = textio::next_record(f);
    seen += "next: " + (next ? std::string(*next) : std::string("end"));
  } catch (const textio::IoError& e) {
    seen = std::string("failure: ") + e.what();
  }
  return seen;
}

TEST(wavemodel_station_output, read_in_pieces_is_the_read_in_order) {
  // 8 events at 3 stations, record q holding "q i j h t d" with values of q.
  // Each case changes one record (or the end of the file): whatever the
  // marks and threads, every outcome is the one of the read in order, also
  // when the change lies on a piece's first or last record.
  constexpr std::int32_t events = 8, stations = 3;
  struct Case {
    const char* what;
    int record;  // the record replaced (from 0), -1 none
    const char* replacement;
    int second = -1;  // a second record replaced
    const char* second_replacement = "";
  };
  const Case cases[] = {
      {"every record plain", -1, ""},
      {"values after the sixth and commas", 4, "5, 2, 3, 1.25, 7.5, 90.5 88 99"},
      {"a read over two records", 7, "8 4 5\n1.5 6 180"},
      {"a null value keeps the height", 9, "10 4 5 ,, 6 180"},
      {"a slash keeps the rest", 11, "12 7 8 2.5 /"},
      {"a repeat", 13, "14 2*6 1.0 2.0 3.0"},
      {"a cell changed on the last event", 22, "23 9 9 1 1 1"},
      {"a failure", 16, "17 1 1 high 8 45"},
      {"a failure on the last read", 23, "24 1 x 1 1 1"},
      {"a blank record", 5, "\n6 1 1 1 1 1"},
      {"CR LF", 2, "3 1 1 1 1 1\r"},
      {"the file ends early", 21, ""},
      // After the read over two records, read 10 is record 11, whose null
      // value keeps the height 0.0, not record 10's.
      {"a null value after a read over two records", 7, "8 4 5\n1.5 6 180", 10, "11 1 1 ,, 6 180"},
  };
  for (const auto& c : cases) {
    std::string text;
    for (int q = 0; q < events * stations; ++q) {
      std::string record = std::to_string(q + 1) + " " + std::to_string(q % 5 + 1) + " " +
                           std::to_string(q % 7 + 1) + " " + std::to_string(q) + ".25 " +
                           std::to_string(q + 3) + ".5 " + std::to_string(q * 11) + ".125";
      if (q == c.record) {
        record = c.replacement;
        if (std::string_view(c.what) == "the file ends early")
          break;
      }
      if (q == c.second)
        record = c.second_replacement;
      text += record + "\n";
    }
    auto in_order = textio::records_from_text("selhts.out", text);
    const std::string expected = read_outcome(in_order, events, stations, {}, 1);
    for (const std::int64_t spacing : {1, 40, 100}) {
      for (const unsigned threads : {2u, 3u}) {
        SCOPED_TRACE(std::string(c.what) + ", spacing " + std::to_string(spacing) + ", threads " +
                     std::to_string(threads));
        auto f = textio::records_from_text("selhts.out", text);
        const auto count = textio::count_records(f, threads, spacing);
        ASSERT_GT(count.marks.size(), 1u);
        EXPECT_EQ(read_outcome(f, events, stations, count.marks, threads), expected);
      }
    }
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
