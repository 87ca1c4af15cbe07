#include "convert/time_axis.h"

#include <cmath>
#include <string>
#include <string_view>

#include "context/rounding.h"
#include "context/table_memory.h"
#include "textio/fixed_fields.h"
#include "textio/free_writer.h"
#include "textio/io_error.h"

namespace convert {
namespace {

constexpr std::int64_t month_days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Month from 1 to 12; every year divisible by 4 has a 29 February, centuries too.
std::int64_t month_length(std::int64_t year, std::int64_t month) {
  if (month == 2 && year % 4 == 0)
    return 29;
  return month_days[month - 1];
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0)))
    --q;
  return q;
}

std::int64_t floor_mod(std::int64_t a, std::int64_t b) {
  return a - floor_div(a, b) * b;
}

bool read_field(const context::Stamp& stamp, std::size_t at, textio::IntField field,
                std::int64_t& value) {
  return textio::read_fixed(std::string_view(stamp.data() + at, field.width), field, value);
}

void copy_chars(const context::Stamp& stamp, std::size_t from, std::size_t count,
                context::Label& label, std::size_t to) {
  for (std::size_t k = 0; k < count; ++k) label[to + k] = stamp[from + k];
}

}  // namespace

StampResult add_seconds_to_stamp(context::Stamp& stamp, std::int32_t seconds) {
  if (seconds == 0)
    return StampResult::ok;

  std::int64_t year, month, day, hour, minute, second;
  if (!read_field(stamp, 0, textio::I4, year) || !read_field(stamp, 4, textio::I2, month) ||
      !read_field(stamp, 6, textio::I2, day) || !read_field(stamp, 8, textio::I2, hour) ||
      !read_field(stamp, 10, textio::I2, minute) || !read_field(stamp, 12, textio::I2, second)) {
    return StampResult::unreadable;
  }

  // Each carry is taken only when the field below it left its range.
  const std::int64_t s = second + seconds;
  if (s >= 0 && s < 60) {
    second = s;
  } else {
    second = floor_mod(s, 60);
    minute += (s - second) / 60;
    if (minute < 0 || minute > 59) {
      hour += floor_div(minute, 60);
      minute = floor_mod(minute, 60);
      if (hour < 0 || hour > 23) {
        if (month < 1 || month > 12)
          return StampResult::invalid_month;
        day += floor_div(hour, 24);
        hour = floor_mod(hour, 24);
        while (day > month_length(year, month)) {
          day -= month_length(year, month);
          if (++month > 12) {
            month = 1;
            ++year;
          }
        }
        while (day < 1) {
          if (--month < 1) {
            month = 12;
            --year;
          }
          day += month_length(year, month);
        }
      }
    }
  }

  textio::write_fixed(stamp.data(), textio::I4_4, year);
  textio::write_fixed(stamp.data() + 4, textio::I2_2, month);
  textio::write_fixed(stamp.data() + 6, textio::I2_2, day);
  textio::write_fixed(stamp.data() + 8, textio::I2_2, hour);
  textio::write_fixed(stamp.data() + 10, textio::I2_2, minute);
  textio::write_fixed(stamp.data() + 12, textio::I2_2, second);
  return StampResult::ok;
}

std::optional<std::int32_t> step_seconds(float time_step_hours) {
  return context::nearest_int32(time_step_hours * 3600.0f);
}

bool is_valid_start(std::int64_t start_datetime) {
  if (start_datetime < 10000000000000 || start_datetime > 99999999999999)
    return false;
  std::int64_t rest = start_datetime;
  const auto take = [&rest](std::int64_t digits) {
    const std::int64_t value = rest % digits;
    rest /= digits;
    return value;
  };
  const std::int64_t second = take(100), minute = take(100), hour = take(100), day = take(100),
                     month = take(100), year = rest;
  if (month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59 || day < 1)
    return false;
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return day <= (month == 2 && leap ? 29 : month_days[month - 1]);
}

context::Stamp start_stamp(std::int64_t start_datetime) {
  context::Stamp stamp;
  stamp.fill(' ');
  textio::write_fixed(stamp.data(), textio::I14, start_datetime);
  return stamp;
}

bool stamp_label(const context::Stamp& stamp, context::Label& label) {
  std::int64_t hour;
  if (!read_field(stamp, 8, textio::I2, hour))
    return false;
  label.fill(' ');
  copy_chars(stamp, 4, 2, label, 0);
  label[2] = '/';
  copy_chars(stamp, 6, 2, label, 3);
  label[5] = '/';
  copy_chars(stamp, 0, 4, label, 6);
  if (hour < 12) {
    if (hour == 0) {
      label[11] = '1';
      label[12] = '2';
    } else {
      copy_chars(stamp, 8, 2, label, 11);  // 1 to 11 o'clock keep their leading zero
    }
    label[20] = 'A';
  } else {
    if (hour == 12) {
      label[11] = '1';
      label[12] = '2';
    } else {
      textio::write_fixed(label.data() + 11, textio::I2, hour - 12);  // blank-filled
    }
    label[20] = 'P';
  }
  label[21] = 'M';
  label[13] = ':';
  copy_chars(stamp, 10, 2, label, 14);
  label[16] = ':';
  copy_chars(stamp, 12, 2, label, 17);
  return true;
}

StampResult fill_time_axis(std::span<context::Stamp> stamps, std::span<context::Label> labels,
                           std::int32_t seconds, std::int32_t& failed_step) {
  // Each stamp from its predecessor: one addition per step, and whole seconds
  // never accumulate a rounding error.
  for (std::size_t j = 1; j < stamps.size(); ++j) {
    stamps[j] = stamps[j - 1];
    const StampResult result = add_seconds_to_stamp(stamps[j], seconds);
    if (result != StampResult::ok) {
      failed_step = static_cast<std::int32_t>(j + 1);
      return result;
    }
  }
  for (std::size_t j = 0; j < stamps.size() && j < labels.size(); ++j) {
    if (!stamp_label(stamps[j], labels[j])) {
      failed_step = static_cast<std::int32_t>(j + 1);
      return StampResult::unreadable;
    }
  }
  return StampResult::ok;
}

context::Status start_time_axis(context::RunContext& ctx) {
  if (context::reserve_table_memory(
          ctx, context::bytes_of(ctx.step_stamp, ctx.output_event_count) +
                   context::bytes_of(ctx.step_label, ctx.output_event_count)) ==
      context::Status::error_stop)
    return context::Status::error_stop;
  context::Stamp blank_stamp;
  blank_stamp.fill(' ');
  context::Label blank_label;
  blank_label.fill(' ');
  context::create_list(ctx.step_stamp, ctx.output_event_count, blank_stamp);
  context::create_list(ctx.step_label, ctx.output_event_count, blank_label);
  if (ctx.step_stamp.empty())
    return context::Status::ok;
  // Every stamp and label is worked out from the start: one that is no real
  // date and time would give labels such as 13/32/2012.
  if (!is_valid_start(ctx.params.start_datetime)) {
    textio::write_free(ctx.console,
                       "ERROR: Start Date & Time <yyyymmddHHMMSS> is not a valid date: ",
                       ctx.params.start_datetime);
    return context::Status::error_stop;
  }
  ctx.step_stamp[0] = start_stamp(ctx.params.start_datetime);
  return context::Status::ok;
}

context::Status build_time_axis(context::RunContext& ctx) {
  // A step past the 4-byte range of seconds would have to be cut, and the
  // second step would land years from where the user asked.
  const auto seconds = step_seconds(ctx.params.time_step_hours);
  if (!seconds) {
    textio::write_free(ctx.console, "ERROR: Output time series timestep (hours) is too large!");
    return context::Status::error_stop;
  }
  std::int32_t failed_step = 0;
  const StampResult result = fill_time_axis(ctx.step_stamp, ctx.step_label, *seconds, failed_step);
  if (result == StampResult::ok)
    return context::Status::ok;

  // A month outside 1..12 can only come from the start, and so can a first
  // stamp that does not read back (a start of more than 14 characters).
  if (result == StampResult::invalid_month || failed_step <= 2) {
    textio::write_free(ctx.console,
                       "ERROR: Start Date & Time <yyyymmddHHMMSS> is not a valid date: ",
                       ctx.params.start_datetime);
    return context::Status::error_stop;
  }
  const context::Stamp& previous = ctx.step_stamp[static_cast<std::size_t>(failed_step) - 2];
  textio::write_report("time axis:" + std::to_string(failed_step) +
                       ": the stamp before this step cannot be read back (year outside 0 to "
                       "9999): " +
                       std::string(previous.data(), previous.size()));
  return context::Status::fault;
}

}  // namespace convert
