#include "textio/free_format.h"

#include <cstdint>
#include <string_view>

#include "textio/io_error.h"
#include "textio/number_scan.h"
#include "textio/number_text.h"

namespace textio {
namespace {

using free_detail::Cursor;
using free_detail::ends_unquoted;

// What the scanner found for the next item.
enum class Found { value, null_value, slash, end_of_file };

// Walks the values of one read over as many records as it needs.
struct Scanner {
  Scanner(RecordFile& file, const Cursor& at)
      : f(file), record(at.record), pos(at.pos), after_value(at.after_value) {}

  RecordFile& f;
  std::string_view record;
  std::size_t pos = 0;
  bool after_value = false;
  // A pending r*v or r*: the value (or null) still to be given `repeat_left` times.
  std::int64_t repeat_left = 0;
  bool repeat_null = false;
  std::string_view token;
  std::string unquoted_text;  // a quoted value with its doubled marks made single
  bool token_is_quoted = false;

  void skip_blanks_in_record() {
    pos = static_cast<std::size_t>(
        scan_detail::skip_blanks(record.data() + pos, record.data() + record.size()) -
        record.data());
  }

  // Moves to the next non-blank character, over record ends; false at end of file.
  bool skip_blanks() {
    for (;;) {
      skip_blanks_in_record();
      if (pos < record.size())
        return true;
      const auto next = next_record(f);
      if (!next)
        return false;
      record = *next;
      pos = 0;
    }
  }

  // A quoted value from the opening mark at pos. Without its closing mark it
  // ends at the end of its record: running on would join the records that
  // follow into it, and every value in them would be lost.
  void scan_quoted() {
    const char mark = record[pos++];
    unquoted_text.clear();
    while (pos < record.size()) {
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
          scan_quoted();
        } else {
          scan_unquoted();
        }
      }
      repeat_left = count - 1;
      return repeat_null ? Found::null_value : Found::value;
    }
    if (text_item && (c_at(pos) == '\'' || c_at(pos) == '"')) {
      scan_quoted();
    } else {
      scan_unquoted();
    }
    return Found::value;
  }

  char c_at(std::size_t i) const { return i < record.size() ? record[i] : '\0'; }
};

// Where a read is among its items: element `index` of item `item`.
struct Place {
  std::size_t item = 0;
  std::size_t index = 0;
};

// One element of a number item read the one-pass way (free_detail::take_plain);
// false for a text item.
bool take_plain(RecordFile& f, Cursor& c, const char*& p, const char*& last, bool& after_value,
                const FreeItem& item, std::size_t index) {
  using free_detail::take_plain;
  switch (item.kind) {
    case FreeItem::Kind::text:
      return false;
    case FreeItem::Kind::int8:
      return take_plain(f, c, p, last, after_value, static_cast<std::int8_t*>(item.target)[index]);
    case FreeItem::Kind::int32:
      return take_plain(f, c, p, last, after_value, static_cast<std::int32_t*>(item.target)[index]);
    case FreeItem::Kind::int64:
      return take_plain(f, c, p, last, after_value, static_cast<std::int64_t*>(item.target)[index]);
    case FreeItem::Kind::real32:
      return take_plain(f, c, p, last, after_value, static_cast<float*>(item.target)[index]);
    case FreeItem::Kind::real64:
      return take_plain(f, c, p, last, after_value, static_cast<double*>(item.target)[index]);
  }
  return false;
}

// The common case of number items: plain numbers separated by blanks or a
// comma. Takes the elements from `at` on while they are that, in one pass over
// the characters, going on over record ends as `next` does; stops at the first
// element that is anything else (a repeat, a null value, a slash, a text item,
// no number, the end of the file), with c left where `next` takes that element
// exactly as if the elements before it had gone through it too.
void take_plain_numbers(RecordFile& f, Cursor& c, std::span<const FreeItem> items, Place& at) {
  const char* p = c.record.data() + c.pos;
  const char* last = c.record.data() + c.record.size();
  bool after_value = c.after_value;
  const FreeItem* item = items.data() + at.item;
  const FreeItem* const items_end = items.data() + items.size();
  std::size_t index = at.index;
  for (; item != items_end; ++item, index = 0) {
    for (; index < item->count; ++index) {
      if (!take_plain(f, c, p, last, after_value, *item, index))
        goto stopped;
    }
  }
stopped:
  c.pos = static_cast<std::size_t>(p - c.record.data());
  c.after_value = after_value;
  at = {static_cast<std::size_t>(item - items.data()), index};
}

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

// Whether every element has been read.
bool all_read(std::span<const FreeItem> items, Place& at) {
  while (at.item < items.size() && at.index == items[at.item].count) {
    ++at.item;
    at.index = 0;
  }
  return at.item == items.size();
}

// A read from c on, element `at` of items on.
ReadStatus read_from(RecordFile& f, const Cursor& c, std::span<const FreeItem> items, Place at,
                     bool plain_numbers) {
  Scanner s(f, c);
  for (;;) {
    if (plain_numbers && s.repeat_left == 0) {
      Cursor after{s.record, s.pos, s.after_value};
      take_plain_numbers(f, after, items, at);
      s.record = after.record;
      s.pos = after.pos;
      s.after_value = after.after_value;
    }
    if (all_read(items, at))
      return ReadStatus::ok;
    const FreeItem& item = items[at.item];
    switch (s.next(item.kind == FreeItem::Kind::text)) {
      case Found::end_of_file:
        f.last_failure = "end of file";
        return ReadStatus::end_of_file;
      case Found::slash:
        return ReadStatus::ok;
      case Found::null_value:
        break;
      case Found::value:
        if (!store_value(item, at.index, s, f))
          return ReadStatus::error;
        break;
    }
    ++at.index;
  }
}

ReadStatus read_items(RecordFile& f, std::span<const FreeItem> items, bool plain_numbers) {
  const auto first = free_detail::start_read(f);
  if (!first)
    return ReadStatus::end_of_file;
  return read_from(f, Cursor{*first}, items, Place{}, plain_numbers);
}

}  // namespace

namespace free_detail {

Crossing cross_separators(RecordFile& f, Cursor& c, const char* p, bool after_value) {
  const char* last = c.record.data() + c.record.size();
  for (;;) {
    p = scan_detail::skip_blanks(p, last);
    if (p == last) {
      const auto next = next_record(f);
      if (!next)
        return {nullptr, after_value};
      c.record = *next;
      p = next->data();
      last = p + next->size();
      continue;
    }
    if (*p != ',' || !after_value)
      return {p, after_value};
    after_value = false;  // the separator after a value
    ++p;
  }
}

std::optional<std::string_view> start_read(RecordFile& f) {
  f.last_failure = "";
  const auto first = next_record(f);
  if (!first)
    f.last_failure = "end of file";
  return first;
}

ReadStatus finish_read(RecordFile& f, Cursor& c, std::span<const FreeItem> items,
                       std::size_t first) {
  return read_from(f, c, items, Place{first, 0}, true);
}

void report_failure(const RecordFile& f, ReadStatus status) {
  const std::int64_t record =
      status == ReadStatus::end_of_file ? f.record_number + 1 : f.record_number;
  throw IoError(f.name, record, f.last_failure);
}

}  // namespace free_detail

ReadStatus read_free_items(RecordFile& f, std::span<const FreeItem> items) {
  return read_items(f, items, true);
}

ReadStatus read_free_items_general(RecordFile& f, std::span<const FreeItem> items) {
  return read_items(f, items, false);
}

void read_free_required_items(RecordFile& f, std::span<const FreeItem> items) {
  const ReadStatus status = read_free_items(f, items);
  if (status != ReadStatus::ok)
    free_detail::report_failure(f, status);
}

}  // namespace textio
