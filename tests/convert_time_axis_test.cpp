#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "convert/time_axis.h"
#include "tests/convert_test_support.h"
#include "textio/io_error.h"

namespace {

using convert::StampResult;
using convert_test::stamp_of;
using convert_test::text_of;

TEST(add_seconds_to_stamp, calendar_and_carries) {
  struct Case {
    const char* stamp;
    std::int32_t seconds;
    const char* expected;
  };
  const Case cases[] = {
      // 1900 is a leap year here: every year divisible by 4 is.
      {"19000228230000", 3600, "19000229000000"},
      {"19000229000000", 3600, "19000229010000"},
      {"19000228000000", 86400, "19000229000000"},
      {"19000229000000", 86400, "19000301000000"},
      {"21000228120000", 86400, "21000229120000"},
      {"20110228000000", 86400, "20110301000000"},
      {"19991231230000", 3600, "20000101000000"},
      {"20120131120000", 720 * 3600, "20120301120000"},
      {"20110131120000", 720 * 3600, "20110302120000"},
      // Only the fields that leave their range carry.
      {"19000101000059", 1, "19000101000100"},
      {"19000101005959", 1, "19000101010000"},
      {"19000101235959", 1, "19000102000000"},
      {"19000101000000", 59, "19000101000059"},
      {"19000101000000", 1200, "19000101002000"},
      // Negative steps walk backwards, with floor remainders.
      {"20000101000000", -3600, "19991231230000"},
      {"19000101000000", -1, "18991231235959"},
      {"19000301000000", -86400, "19000229000000"},
      {"20110301000000", -86400, "20110228000000"},
      {"19000101003000", -1801, "18991231235959"},
      // The largest steps take many months in one addition.
      {"19000101000000", INT32_MAX, "19680119031407"},
      {"19000101000000", INT32_MIN, "18311213204552"},
      // Blanks read as 0; the stamp comes back all digits.
      {"       1000000", 1, "00000001000001"},
      // A year outside 0..9999 is written as asterisks.
      {"99991231235959", 1, "****0101000000"},
      {"00000101000000", -1, "****1231235959"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stamp) + " + " + std::to_string(c.seconds));
    context::Stamp s = stamp_of(c.stamp);
    EXPECT_EQ(convert::add_seconds_to_stamp(s, c.seconds), StampResult::ok);
    EXPECT_EQ(text_of(s), c.expected);
  }
}

TEST(add_seconds_to_stamp, stamps_left_unchanged) {
  struct Case {
    const char* stamp;
    std::int32_t seconds;
    StampResult result;
  };
  const Case cases[] = {
      {"not a stamp!!!", 0, StampResult::ok},  // 0 seconds: not even read
      {"    ****      ", 0, StampResult::ok},
      {"19001301000000", 86400, StampResult::invalid_month},
      {"19000001230000", 3600, StampResult::invalid_month},
      {"19001301000000", -1, StampResult::invalid_month},
      {"****0101000000", 3600, StampResult::unreadable},
      {"**************", 1, StampResult::unreadable},
      {"1900010100000x", 1, StampResult::unreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stamp);
    context::Stamp s = stamp_of(c.stamp);
    EXPECT_EQ(convert::add_seconds_to_stamp(s, c.seconds), c.result);
    EXPECT_EQ(text_of(s), c.stamp);
  }
}

TEST(add_seconds_to_stamp, month_out_of_range_passes_when_no_day_carry) {
  context::Stamp s = stamp_of("19001301000000");
  EXPECT_EQ(convert::add_seconds_to_stamp(s, 3600), StampResult::ok);
  EXPECT_EQ(text_of(s), "19001301010000");
}

TEST(step_seconds, rounded_from_four_byte_product) {
  struct Case {
    float hours;
    std::optional<std::int32_t> seconds;  // none: past the 4-byte range
  };
  const Case cases[] = {
      {1.0f, 3600},
      {0.5f, 1800},
      {0.1f, 360},
      {0.0f, 0},
      {1.0f / 3.0f, 1200},
      {0.3333333f, 1200},
      {720.0f, 2592000},
      {-1.0f, -3600},
      {-0.1f, -360},
      {0.000125f, 0},  // 0.45 s
      {0.00015f, 1},   // 0.54 s
      {596523.0f, 2147482752},
      {596524.0f, std::nullopt},
      {-596524.0f, std::nullopt},
      {1.0e9f, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hours);
    EXPECT_EQ(convert::step_seconds(c.hours), c.seconds);
  }
}

TEST(start_stamp, right_justified_in_fourteen_columns) {
  EXPECT_EQ(text_of(convert::start_stamp(19000101000000)), "19000101000000");
  EXPECT_EQ(text_of(convert::start_stamp(1000000)), "       1000000");
  EXPECT_EQ(text_of(convert::start_stamp(-5)), "            -5");
  EXPECT_EQ(text_of(convert::start_stamp(123456789012345)), "**************");
}

TEST(stamp_label, twelve_hour_clock) {
  struct Case {
    const char* stamp;
    const char* label;
  };
  const Case cases[] = {
      {"19000101000000", "01/01/1900 12:00:00 AM"}, {"19000101003000", "01/01/1900 12:30:00 AM"},
      {"19000101070000", "01/01/1900 07:00:00 AM"}, {"19000101115959", "01/01/1900 11:59:59 AM"},
      {"19000101120000", "01/01/1900 12:00:00 PM"}, {"19000101130509", "01/01/1900  1:05:09 PM"},
      {"19000101210000", "01/01/1900  9:00:00 PM"}, {"19000101220000", "01/01/1900 10:00:00 PM"},
      {"20121231233001", "12/31/2012 11:30:01 PM"}, {"****0101000000", "01/01/**** 12:00:00 AM"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stamp);
    context::Label label;
    ASSERT_TRUE(convert::stamp_label(stamp_of(c.stamp), label));
    EXPECT_EQ(text_of(label), c.label);
  }
  context::Label label;
  EXPECT_FALSE(convert::stamp_label(stamp_of("**************"), label));
}

struct AxisRun {
  context::RunContext ctx;
  context::Status status = context::Status::ok;
};

// Phases 5 and 9 for n steps from start by hours.
void run_axis(AxisRun& r, std::int64_t start, float hours, std::int32_t n) {
  r.ctx.output_event_count = n;
  r.ctx.params.start_datetime = start;
  r.ctx.params.time_step_hours = hours;
  r.status = convert::start_time_axis(r.ctx);
  if (r.status == context::Status::ok)
    r.status = convert::build_time_axis(r.ctx);
}

TEST(build_time_axis, each_stamp_from_its_predecessor) {
  struct Case {
    std::int64_t start;
    float hours;
    std::vector<const char*> stamps;
    std::vector<const char*> labels;
  };
  const Case cases[] = {
      {20120131120000,
       720.0f,
       {"20120131120000", "20120301120000", "20120331120000"},
       {"01/31/2012 12:00:00 PM", "03/01/2012 12:00:00 PM", "03/31/2012 12:00:00 PM"}},
      {19000228230000,
       1.0f,
       {"19000228230000", "19000229000000", "19000229010000"},
       {"02/28/1900 11:00:00 PM", "02/29/1900 12:00:00 AM", "02/29/1900 01:00:00 AM"}},
      {20000101000000,
       -1.0f,
       {"20000101000000", "19991231230000"},
       {"01/01/2000 12:00:00 AM", "12/31/1999 11:00:00 PM"}},
      {19000101000000,
       1.0f / 3.0f,
       {"19000101000000", "19000101002000", "19000101004000", "19000101010000"},
       {"01/01/1900 12:00:00 AM", "01/01/1900 12:20:00 AM", "01/01/1900 12:40:00 AM",
        "01/01/1900 01:00:00 AM"}},
      {19000101000000, 0.0f, {"19000101000000", "19000101000000"}, {}},
      {19000101000000, 1.0f, {"19000101000000"}, {"01/01/1900 12:00:00 AM"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + " by " + std::to_string(c.hours));
    AxisRun r;
    run_axis(r, c.start, c.hours, static_cast<std::int32_t>(c.stamps.size()));
    EXPECT_EQ(r.status, context::Status::ok);
    ASSERT_EQ(r.ctx.step_stamp.size(), c.stamps.size());
    ASSERT_EQ(r.ctx.step_label.size(), c.stamps.size());
    for (std::size_t j = 0; j < c.stamps.size(); ++j) {
      EXPECT_EQ(text_of(r.ctx.step_stamp[j]), c.stamps[j]) << "step " << j + 1;
    }
    for (std::size_t j = 0; j < c.labels.size(); ++j) {
      EXPECT_EQ(text_of(r.ctx.step_label[j]), c.labels[j]) << "step " << j + 1;
    }
  }
}

TEST(build_time_axis, no_steps_gives_empty_tables) {
  for (std::int32_t n : {0, -3}) {
    AxisRun r;
    run_axis(r, 19000101000000, 1.0f, n);
    EXPECT_EQ(r.status, context::Status::ok);
    EXPECT_TRUE(r.ctx.step_stamp.empty());
    EXPECT_TRUE(r.ctx.step_label.empty());
  }
}

TEST(build_time_axis, long_hourly_axis_ends_where_the_calendar_says) {
  // Ten years of hours from 1900: 3653 days in this calendar (1900 is a leap year).
  AxisRun r;
  run_axis(r, 19000101000000, 1.0f, 3653 * 24 + 1);
  ASSERT_EQ(r.status, context::Status::ok);
  EXPECT_EQ(text_of(r.ctx.step_stamp.back()), "19100101000000");
  EXPECT_EQ(text_of(r.ctx.step_label.back()), "01/01/1910 12:00:00 AM");
}

// The start is checked as a real date and time (leap years by the Gregorian
// rule) when the first stamp is made, whatever the step.
TEST(start_time_axis, start_that_is_no_real_date_stops_with_message) {
  struct Case {
    std::int64_t start;
    bool valid;
  };
  const Case cases[] = {
      {20120101000000, true},  {20121231235959, true},   {20000229000000, true},
      {20120229120000, true},  {10000101000000, true},   {99991231230000, true},
      {20120001000000, false}, {20121301000000, false},  {20120100000000, false},
      {20120230000000, false}, {21000229000000, false},  {20130229000000, false},
      {20120431000000, false}, {20120101240000, false},  {20120101006000, false},
      {20120101000060, false}, {20121332250000, false},  {0, false},
      {1000000, false},        {123456789012345, false}, {-20120101000000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    for (const float hours : {0.0f, 1.0f}) {
      AxisRun r;
      convert_test::CapturedConsole console(r.ctx);
      run_axis(r, c.start, hours, 2);
      if (c.valid) {
        EXPECT_EQ(r.status, context::Status::ok);
        EXPECT_EQ(console.text(), "");
        continue;
      }
      EXPECT_EQ(r.status, context::Status::error_stop);
      EXPECT_TRUE(r.ctx.step_stamp[0] == stamp_of(""));  // no stamp made
      const std::string number = std::to_string(c.start);
      EXPECT_EQ(console.text(),
                " ERROR: Start Date & Time <yyyymmddHHMMSS> is not a valid date: \r\n" +
                    std::string(22 - number.size(), ' ') + number + "\r\n");
    }
  }
}

TEST(build_time_axis, year_past_9999_is_shown_then_cannot_be_read_back) {
  AxisRun shown;
  run_axis(shown, 99991231230000, 1.0f, 2);
  EXPECT_EQ(shown.status, context::Status::ok);
  EXPECT_EQ(text_of(shown.ctx.step_stamp[1]), "****0101000000");
  EXPECT_EQ(text_of(shown.ctx.step_label[1]), "01/01/**** 12:00:00 AM");

  AxisRun beyond;
  testing::internal::CaptureStderr();
  run_axis(beyond, 99991231230000, 1.0f, 4);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "quilbar: time axis:3: the stamp before this step cannot be read back (year outside 0 "
            "to 9999): ****0101000000\n");
  EXPECT_EQ(beyond.status, context::Status::fault);
}

}  // namespace
