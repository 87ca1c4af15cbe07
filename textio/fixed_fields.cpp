#include "textio/fixed_fields.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "textio/io_error.h"
#include "textio/number_scan.h"
#include "textio/number_text.h"

namespace textio {

std::string read_fixed(std::string_view record, TextField field, std::size_t item_length) {
  std::string value(record.substr(0, field.width));
  value.resize(field.width, ' ');
  if (item_length >= field.width) {
    value.resize(item_length, ' ');
    return value;
  }
  return value.substr(field.width - item_length);
}

bool read_fixed(std::string_view text, IntField field, std::int64_t& value) {
  char digits[32];
  std::size_t n = 0;
  for (char c : text.substr(0, field.width)) {
    if (c == ' ')
      continue;
    if (n == sizeof digits)
      return false;
    digits[n++] = c;
  }
  if (n == 0 || (n == 1 && (digits[0] == '+' || digits[0] == '-'))) {
    value = 0;
    return true;
  }
  return parse_int64(std::string_view(digits, n), value);
}

std::int64_t read_fixed_required(const RecordFile& f, std::string_view text, IntField field) {
  std::int64_t value = 0;
  if (!read_fixed(text, field, value)) {
    throw IoError(f.name, f.record_number, "cannot read an integer");
  }
  return value;
}

void write_fixed(char* out, IntField field, std::int64_t value) {
  char text[32];
  std::size_t n = 0;
  const bool negative = value < 0;
  char digits[24];
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const auto r = std::to_chars(digits, digits + sizeof digits, magnitude);
  const std::size_t count = static_cast<std::size_t>(r.ptr - digits);
  if (negative)
    text[n++] = '-';
  for (std::size_t k = count; k < field.min_digits && n < sizeof text - count; ++k) text[n++] = '0';
  std::memcpy(text + n, digits, count);
  n += count;
  if (n > field.width) {
    std::memset(out, '*', field.width);
    return;
  }
  std::memset(out, ' ', field.width - n);
  std::memcpy(out + (field.width - n), text, n);
}

void write_fixed(char* out, TextField field, std::string_view text) {
  const std::size_t n = text.size() < field.width ? text.size() : field.width;
  std::memcpy(out, text.data(), n);
  std::memset(out + n, ' ', field.width - n);
}

namespace {

constexpr int implied_decimals = 6;

// Only blanks: a tab in a column-counted field usually means the columns have
// moved, and reading on could give silently wrong values.
const char* skip_spaces(const char* p, const char* last) {
  while (p != last && *p == ' ') ++p;
  return p;
}

// The common form of a real field: blanks, an optional sign, digits with at
// most one point, blanks. Converted as it is read; false for anything else (an
// exponent, blanks among the digits, a malformed field, a long mantissa),
// which the general route of parse_f13_6 then decides.
bool plain_real_field(std::string_view field, float& value) {
  const char* p = field.data();
  const char* const last = p + field.size();
  p = skip_spaces(p, last);
  if (p == last) {
    value = 0.0f;
    return true;
  }
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-')
    ++p;
  std::uint64_t mantissa = 0;
  const char* const mantissa_first = p;
  unsigned digit;
  for (; p != last && (digit = static_cast<unsigned char>(*p - '0')) <= 9; ++p)
    mantissa = mantissa * 10 + digit;
  std::ptrdiff_t digits = p - mantissa_first;
  std::ptrdiff_t exponent = -implied_decimals;
  if (p != last && *p == '.') {
    const char* const fraction_first = ++p;
    for (; p != last && (digit = static_cast<unsigned char>(*p - '0')) <= 9; ++p)
      mantissa = mantissa * 10 + digit;
    exponent = fraction_first - p;
    digits -= exponent;
  }
  p = skip_spaces(p, last);
  if (p != last || digits == 0 || digits > 19)
    return false;
  return scan_detail::small_decimal(mantissa, exponent, negative, value);
}

}  // namespace

bool parse_f13_6(std::string_view field, float& value) {
  if (plain_real_field(field, value))
    return true;
  char text[40];
  std::size_t n = 0;
  for (char c : field) {
    if (c == ' ')
      continue;
    if (c == '\t')
      return false;
    if (n == sizeof text - 8)
      return false;
    text[n++] = c;
  }
  if (n == 0) {
    value = 0.0f;
    return true;
  }
  // Mantissa: [sign] digits [. digits]; then an exponent E/D/e/d [sign]
  // digits. An exponent needs its letter, as in free-format reading.
  std::size_t i = 0;
  if (text[i] == '+' || text[i] == '-')
    ++i;
  std::size_t mantissa_digits = 0;
  bool point = false;
  while (i < n && ((text[i] >= '0' && text[i] <= '9') || (text[i] == '.' && !point))) {
    if (text[i] == '.') {
      point = true;
    } else {
      ++mantissa_digits;
    }
    ++i;
  }
  if (mantissa_digits == 0)
    return false;
  const std::size_t mantissa_end = i;
  long exponent = 0;
  if (i < n) {
    if (text[i] != 'E' && text[i] != 'e' && text[i] != 'D' && text[i] != 'd')
      return false;
    ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      negative = text[i] == '-';
      ++i;
    }
    const std::size_t exp_start = i;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
      if (exponent < 100000)
        exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (i == exp_start || i != n)
      return false;
    if (negative)
      exponent = -exponent;
  }
  if (!point)
    exponent -= implied_decimals;
  // Rebuild as mantissa 'e' exponent and convert once, exactly.
  char number[64];
  std::memcpy(number, text, mantissa_end);
  std::size_t m = mantissa_end;
  number[m++] = 'e';
  const auto r = std::to_chars(number + m, number + sizeof number, exponent);
  m = static_cast<std::size_t>(r.ptr - number);
  return parse_real32(std::string_view(number, m), value);
}

void read_fixed_reals(RecordFile& f, std::span<float> values) {
  constexpr std::size_t per_record = 5;
  constexpr std::size_t width = 13;
  for (std::size_t first = 0; first < values.size(); first += per_record) {
    const auto record = next_record(f);
    if (!record)
      throw IoError(f.name, f.record_number + 1, "end of file while reading reals");
    const std::size_t count =
        values.size() - first < per_record ? values.size() - first : per_record;
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t column = k * width;
      const std::string_view field =
          column < record->size() ? record->substr(column, width) : std::string_view();
      if (!parse_f13_6(field, values[first + k])) {
        const bool tab = field.find('\t') != std::string_view::npos;
        throw IoError(f.name, f.record_number,
                      "cannot read a real in columns " + std::to_string(column + 1) + "-" +
                          std::to_string(column + width) + (tab ? ": it holds a tab" : ""));
      }
    }
  }
}

}  // namespace textio
