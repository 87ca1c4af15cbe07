#include "textio/free_format.h"

#include <string_view>

#include "textio/io_error.h"
#include "textio/number_text.h"

namespace textio {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool ends_unquoted(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '/';
}

// What the scanner found for the next item.
enum class Found { value, null_value, slash, end_of_file };

// Walks the values of one read over as many records as it needs.
struct Scanner {
  Scanner(RecordFile& file, std::string_view first) : f(file), record(first) {}

  RecordFile& f;
  std::string_view record;
  std::size_t pos = 0;
  bool after_value = false;  // the last thing read was a value: one comma may follow it
  // A pending r*v or r*: the value (or null) still to be given `repeat_left` times.
  std::int64_t repeat_left = 0;
  bool repeat_null = false;
  std::string_view token;
  std::string unquoted_text;  // a quoted value with its doubled marks made single
  bool token_is_quoted = false;

  // Moves to the next non-blank character, over record ends; false at end of file.
  bool skip_blanks() {
    for (;;) {
      while (pos < record.size() && is_blank(record[pos])) ++pos;
      if (pos < record.size())
        return true;
      const auto next = next_record(f);
      if (!next)
        return false;
      record = *next;
      pos = 0;
    }
  }

  // A quoted value from the opening mark at pos; false when the file ends inside it.
  bool scan_quoted() {
    const char mark = record[pos++];
    unquoted_text.clear();
    for (;;) {
      if (pos >= record.size()) {
        // The value goes on in the next record.
        const auto next = next_record(f);
        if (!next)
          return false;
        record = *next;
        pos = 0;
        continue;
      }
      const char c = record[pos++];
      if (c == mark) {
        if (pos < record.size() && record[pos] == mark) {
          unquoted_text.push_back(mark);
          ++pos;
          continue;
        }
        break;
      }
      unquoted_text.push_back(c);
    }
    token = unquoted_text;
    token_is_quoted = true;
    return true;
  }

  void scan_unquoted() {
    const std::size_t start = pos;
    while (pos < record.size() && !ends_unquoted(record[pos])) ++pos;
    token = record.substr(start, pos - start);
    token_is_quoted = false;
  }

  Found next(bool text_item) {
    if (repeat_left > 0) {
      --repeat_left;
      return repeat_null ? Found::null_value : Found::value;
    }
    for (;;) {
      if (!skip_blanks())
        return Found::end_of_file;
      const char c = record[pos];
      if (c == ',') {
        ++pos;
        if (after_value) {
          after_value = false;  // the separator after a value
          continue;
        }
        return Found::null_value;  // nothing between two separators
      }
      if (c == '/')
        return Found::slash;
      break;
    }
    after_value = true;
    // A repeat r*v or r*: unsigned digits, then '*'.
    std::size_t k = pos;
    while (k < record.size() && record[k] >= '0' && record[k] <= '9') ++k;
    if (k > pos && k < record.size() && record[k] == '*') {
      std::int64_t count = 0;
      if (!parse_int64(record.substr(pos, k - pos), count) || count < 1) {
        scan_unquoted();
        return Found::value;  // not a valid repeat: fails as the item's value
      }
      pos = k + 1;
      if (pos >= record.size() || ends_unquoted(record[pos])) {
        repeat_null = true;
      } else {
        repeat_null = false;
        if (text_item && (record[pos] == '\'' || record[pos] == '"')) {
          if (!scan_quoted())
            return Found::end_of_file;
        } else {
          scan_unquoted();
        }
      }
      repeat_left = count - 1;
      return repeat_null ? Found::null_value : Found::value;
    }
    if (text_item && (c_at(pos) == '\'' || c_at(pos) == '"')) {
      if (!scan_quoted())
        return Found::end_of_file;
    } else {
      scan_unquoted();
    }
    return Found::value;
  }

  char c_at(std::size_t i) const { return i < record.size() ? record[i] : '\0'; }
};

void store_text(const FreeItem& item, std::size_t index, std::string_view value) {
  std::string& s = static_cast<std::string*>(item.target)[index];
  s.assign(value.substr(0, item.text_length));
  s.resize(item.text_length, ' ');
}

// Converts the token into element `index` of the item; false (and the
// failure's reason in f) when it is not a value of the item's type.
bool store_value(const FreeItem& item, std::size_t index, const Scanner& s, RecordFile& f) {
  const std::string_view t = s.token;
  switch (item.kind) {
    case FreeItem::Kind::text:
      store_text(item, index, t);
      return true;
    case FreeItem::Kind::int8: {
      auto& v = static_cast<std::int8_t*>(item.target)[index];
      if (!s.token_is_quoted && parse_int8(t, v))
        return true;
      v = 0;
      f.last_failure = "cannot read a 1-byte integer";
      return false;
    }
    case FreeItem::Kind::int32: {
      auto& v = static_cast<std::int32_t*>(item.target)[index];
      if (!s.token_is_quoted && parse_int32(t, v))
        return true;
      v = 0;
      f.last_failure = "cannot read an integer";
      return false;
    }
    case FreeItem::Kind::int64: {
      auto& v = static_cast<std::int64_t*>(item.target)[index];
      if (!s.token_is_quoted && parse_int64(t, v))
        return true;
      v = 0;
      f.last_failure = "cannot read an integer";
      return false;
    }
    case FreeItem::Kind::real32: {
      auto& v = static_cast<float*>(item.target)[index];
      if (!s.token_is_quoted && parse_real32(t, v))
        return true;
      f.last_failure = "cannot read a real";
      return false;
    }
    case FreeItem::Kind::real64: {
      auto& v = static_cast<double*>(item.target)[index];
      if (!s.token_is_quoted && parse_real64(t, v))
        return true;
      f.last_failure = "cannot read a real";
      return false;
    }
  }
  return false;
}

}  // namespace

ReadStatus read_free_items(RecordFile& f, std::span<const FreeItem> items) {
  f.last_failure = "";
  const auto first = next_record(f);
  if (!first) {
    f.last_failure = "end of file";
    return ReadStatus::end_of_file;
  }
  Scanner s(f, *first);
  for (const FreeItem& item : items) {
    const bool text_item = item.kind == FreeItem::Kind::text;
    for (std::size_t index = 0; index < item.count; ++index) {
      switch (s.next(text_item)) {
        case Found::end_of_file:
          f.last_failure = "end of file";
          return ReadStatus::end_of_file;
        case Found::slash:
          return ReadStatus::ok;
        case Found::null_value:
          break;
        case Found::value:
          if (!store_value(item, index, s, f))
            return ReadStatus::error;
          break;
      }
    }
  }
  return ReadStatus::ok;
}

void read_free_required_items(RecordFile& f, std::span<const FreeItem> items) {
  const ReadStatus status = read_free_items(f, items);
  if (status == ReadStatus::ok)
    return;
  const std::int64_t record =
      status == ReadStatus::end_of_file ? f.record_number + 1 : f.record_number;
  throw IoError(f.name, record, f.last_failure);
}

}  // namespace textio
