#include "textio/free_format.h"

#include <cstdint>
#include <string_view>

#include "textio/io_error.h"
#include "textio/number_scan.h"
#include "textio/number_text.h"

namespace textio {
namespace {

bool ends_unquoted(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '/';
}

// What the scanner found for the next item.
enum class Found { value, null_value, slash, end_of_file };

// Walks the values of one read over as many records as it needs.
// Where a read is in its text.
struct Cursor {
  std::string_view record;
  std::size_t pos = 0;
  bool after_value = false;  // the last thing read was a value: one comma may follow it
};

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

// Where a read is among its items: element `index` of item `item`.
struct Place {
  std::size_t item = 0;
  std::size_t index = 0;
};

// A plain number of type T at p, stored into element index of target when the
// number ends where an unquoted value ends; its end, or nullptr when it is no
// plain number (the general scanner then takes it from p).
template <class T, const char* (*scan)(const char*, const char*, T&)>
const char* take_plain(const char* p, const char* last, void* target, std::size_t index) {
  T value;
  const char* const stop = scan(p, last, value);
  if (stop == nullptr || (stop != last && !ends_unquoted(*stop)))
    return nullptr;
  static_cast<T*>(target)[index] = value;
  return stop;
}

const char* take_plain(const FreeItem& item, std::size_t index, const char* p, const char* last) {
  switch (item.kind) {
    case FreeItem::Kind::text:
      return nullptr;
    case FreeItem::Kind::int8:
      return take_plain<std::int8_t, scan_int8<true>>(p, last, item.target, index);
    case FreeItem::Kind::int32:
      return take_plain<std::int32_t, scan_int32<true>>(p, last, item.target, index);
    case FreeItem::Kind::int64:
      return take_plain<std::int64_t, scan_int64<true>>(p, last, item.target, index);
    case FreeItem::Kind::real32:
      return take_plain<float, scan_real32<true>>(p, last, item.target, index);
    case FreeItem::Kind::real64:
      return take_plain<double, scan_real64<true>>(p, last, item.target, index);
  }
  return nullptr;
}

// The common case of number items: plain numbers separated by blanks or a
// comma. Takes the elements from `at` on while they are that, in one pass over
// the characters, going on over record ends as `next` does; stops at the first
// element that is anything else (a repeat, a null value, a slash, a text item,
// no number, the end of the file), with the scanner left where `next` takes
// that element exactly as if the elements before it had gone through it too.
// The separators before a value that are not blanks within the record: a
// record end (the values go on in the next record) and the comma after a
// value. Moves to the value's first character as `next` would: its place
// (nullptr at the end of the file; c.record is the record it is in) and
// whether a comma may still follow a value there.
struct Crossing {
  const char* p;
  bool after_value;
};

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

void take_plain_numbers(RecordFile& f, Cursor& c, std::span<const FreeItem> items, Place& at) {
  const char* data = c.record.data();
  const char* last = data + c.record.size();
  const char* p = data + c.pos;
  bool after_value = c.after_value;
  const FreeItem* item = items.data() + at.item;
  const FreeItem* const items_end = items.data() + items.size();
  std::size_t index = at.index;
  for (; item != items_end; ++item, index = 0) {
    for (; index < item->count; ++index) {
      p = scan_detail::skip_blanks(p, last);
      if (p == last || *p == ',') {
        const Crossing crossed = cross_separators(f, c, p, after_value);
        after_value = crossed.after_value;
        data = c.record.data();
        last = data + c.record.size();
        if (crossed.p == nullptr) {
          p = last;  // the end of the file: `next` meets it from here
          goto stopped;
        }
        p = crossed.p;
      }
      const char* const stop = take_plain(*item, index, p, last);
      if (stop == nullptr)
        goto stopped;
      p = stop;
      after_value = true;
    }
  }
stopped:
  c.pos = static_cast<std::size_t>(p - data);
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

ReadStatus read_items(RecordFile& f, std::span<const FreeItem> items, bool plain_numbers) {
  f.last_failure = "";
  const auto first = next_record(f);
  if (!first) {
    f.last_failure = "end of file";
    return ReadStatus::end_of_file;
  }
  Scanner s(f, Cursor{*first});
  Place at;
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

}  // namespace

ReadStatus read_free_items(RecordFile& f, std::span<const FreeItem> items) {
  return read_items(f, items, true);
}

ReadStatus read_free_items_general(RecordFile& f, std::span<const FreeItem> items) {
  return read_items(f, items, false);
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
