// convert/time_axis.h: the calendar addition on yyyymmddHHMMSS stamps and the
// output time axis of stamps and MM/DD/YYYY hh:mm:ss AM labels.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "context/run_context.h"
#include "context/status.h"

namespace convert {

enum class StampResult {
  ok,
  invalid_month,  // the carry reached the days with a month outside 1..12
  unreadable,     // a field of the stamp is not an integer (asterisks)
};

// Adds seconds (may be negative) to the stamp in place. Every year divisible by
// 4 is a leap year; a year outside 0..9999 is written as asterisks. 0 seconds
// leave the stamp untouched. On a result other than ok the stamp is unchanged.
StampResult add_seconds_to_stamp(context::Stamp& stamp, std::int32_t seconds);

// The time step in whole seconds: hours x 3600 in 4-byte arithmetic, rounded
// half away from zero; none past the 4-byte integer range.
std::optional<std::int32_t> step_seconds(float time_step_hours);

// Whether a start value is a real date and time: 14 digits yyyymmddHHMMSS,
// the month 1..12, the day within its month (leap years by the Gregorian
// rule), the hour 0..23, minute and second 0..59.
bool is_valid_start(std::int64_t start_datetime);

// The start stamp: the integer right-justified in 14 columns, blank-filled.
context::Stamp start_stamp(std::int64_t start_datetime);

// The label of a stamp on the 12-hour clock; false when its hour is unreadable.
bool stamp_label(const context::Stamp& stamp, context::Label& label);

// Stamps 2..N from stamp 1 by one addition each, then every label. Returns the
// first failing result; `failed_step` then names the stamp (from 1) that could
// not be made.
StampResult fill_time_axis(std::span<context::Stamp> stamps, std::span<context::Label> labels,
                           std::int32_t seconds, std::int32_t& failed_step);

// The phase steps start_time_axis and build_time_axis are declared in
// convert/conversion.h and built from the operations above.

// The run's steps: creates the stamp and label tables and writes the start
// into the first stamp (error_stop when they would not fit in memory or the
// start is no real date and time); fills
// the other stamps and every label (error_stop for a start that is no date or
// a step past the 4-byte range of seconds).
context::Status start_time_axis(context::RunContext& ctx);
context::Status build_time_axis(context::RunContext& ctx);

}  // namespace convert
