// textio/free_format.h: the free-format (list-directed) reader. Values are
// separated by blanks, tabs or a comma; a read goes on over as many records as
// its items need; a slash ends it; null values, r*v and r* repeats, and quoted
// texts with doubled marks are understood.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "textio/number_scan.h"
#include "textio/record_file.h"

namespace textio {

enum class ReadStatus : int { ok = 0, error = 1, end_of_file = -1 };

// One item of a read: a typed target, or `count` consecutive targets of one type.
struct FreeItem {
  enum class Kind : std::uint8_t { text, int8, int32, int64, real32, real64 };
  Kind kind;
  void* target;
  std::size_t count = 1;
  std::size_t text_length = 0;  // texts are fitted (cut or blank-padded) to this
};

// A fixed-length text target: the value read is cut or blank-padded to `length`.
struct TextTarget {
  std::string* text;
  std::size_t length;
};
inline TextTarget text_item(std::string& s, std::size_t length) {
  return {&s, length};
}

inline FreeItem free_item(TextTarget t) {
  return {FreeItem::Kind::text, t.text, 1, t.length};
}
inline FreeItem free_item(std::int8_t& v) {
  return {FreeItem::Kind::int8, &v};
}
inline FreeItem free_item(std::int32_t& v) {
  return {FreeItem::Kind::int32, &v};
}
inline FreeItem free_item(std::int64_t& v) {
  return {FreeItem::Kind::int64, &v};
}
inline FreeItem free_item(float& v) {
  return {FreeItem::Kind::real32, &v};
}
inline FreeItem free_item(double& v) {
  return {FreeItem::Kind::real64, &v};
}
inline FreeItem free_item(std::span<float> v) {
  return {FreeItem::Kind::real32, v.data(), v.size()};
}
inline FreeItem free_item(std::span<std::int32_t> v) {
  return {FreeItem::Kind::int32, v.data(), v.size()};
}

// Reads the items in order, starting on the next record of f. On an error the
// status is `error`, the item that failed holds 0 if it is an integer (a real
// keeps its value) and the rest of the record is skipped; at the end of the
// file the status is `end_of_file`. Items not reached keep their values.
ReadStatus read_free_items(RecordFile& f, std::span<const FreeItem> items);

// The same read through the general scanner alone, without the one-pass route
// that read_free_items takes for plain numbers: the two must agree on every
// input, which the tests check.
ReadStatus read_free_items_general(RecordFile& f, std::span<const FreeItem> items);

namespace free_detail {

// Where a read is in its text: the record, the position in it, and whether
// the last thing read was a value (one comma may then follow it).
struct Cursor {
  std::string_view record;
  std::size_t pos = 0;
  bool after_value = false;
};

inline bool ends_unquoted(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '/';
}

// The separators before a value other than blanks within the record: a record
// end (the values go on in the next record) and the comma after a value.
// Moves over them as the general scanner does, from p in c.record: the place
// of the value (nullptr at the end of the file, c.record then being the last
// record) and whether a comma may still follow a value there.
struct Crossing {
  const char* p;
  bool after_value;
};
Crossing cross_separators(RecordFile& f, Cursor& c, const char* p, bool after_value);

// One number target read the one-pass way: the separators before it, then a
// plain number that ends where an unquoted value ends. False, with p where the
// value starts, for anything else (a repeat, a null value, a slash, no number
// of the type, the end of the file), which the general scanner then reads
// from p exactly as if every value before it had gone through it too.
template <class T>
TEXTIO_ALWAYS_INLINE bool take_plain(RecordFile& f, Cursor& c, const char*& p, const char*& last,
                                     bool& after_value, T& target) {
  p = scan_detail::skip_blanks(p, last);
  if (p == last || *p == ',') {
    const Crossing crossed = cross_separators(f, c, p, after_value);
    after_value = crossed.after_value;
    last = c.record.data() + c.record.size();
    p = crossed.p != nullptr ? crossed.p : last;
    if (crossed.p == nullptr)
      return false;
  }
  T value;
  const char* stop;
  if constexpr (std::is_same_v<T, std::int8_t>) {
    stop = scan_int8<true>(p, last, value);
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    stop = scan_int32<true>(p, last, value);
  } else if constexpr (std::is_same_v<T, std::int64_t>) {
    stop = scan_int64<true>(p, last, value);
  } else if constexpr (std::is_same_v<T, float>) {
    stop = scan_real32<true>(p, last, value);
  } else {
    stop = scan_real64<true>(p, last, value);
  }
  if (stop == nullptr || (stop != last && !ends_unquoted(*stop)))
    return false;
  target = value;
  p = stop;
  after_value = true;
  return true;
}

template <class T>
inline constexpr bool is_number_target =
    std::is_same_v<T, std::int8_t> || std::is_same_v<T, std::int32_t> ||
    std::is_same_v<T, std::int64_t> || std::is_same_v<T, float> || std::is_same_v<T, double>;

// The start of a read: its first record, or nullopt (and the reason in f) at
// the end of the file.
std::optional<std::string_view> start_read(RecordFile& f);
// The rest of a read from c on, from element `first` of items on.
ReadStatus finish_read(RecordFile& f, Cursor& c, std::span<const FreeItem> items,
                       std::size_t first);
// The IoError of a failed read.
[[noreturn]] void report_failure(const RecordFile& f, ReadStatus status);

}  // namespace free_detail

template <class... T>
ReadStatus read_free(RecordFile& f, T&&... targets) {
  if constexpr ((free_detail::is_number_target<std::remove_cvref_t<T>> && ...)) {
    // Number targets alone: each one read in line, the general scanner taking
    // over at the first value that is not a plain number.
    const auto first = free_detail::start_read(f);
    if (!first)
      return ReadStatus::end_of_file;
    free_detail::Cursor c{*first};
    const char* p = first->data();
    const char* last = p + first->size();
    bool after_value = false;
    std::size_t taken = 0;
    if (((free_detail::take_plain(f, c, p, last, after_value, targets) && (++taken, true)) && ...))
      return ReadStatus::ok;
    c.pos = static_cast<std::size_t>(p - c.record.data());
    c.after_value = after_value;
    const FreeItem items[] = {free_item(targets)...};
    return free_detail::finish_read(f, c, items, taken);
  } else {
    const FreeItem items[] = {free_item(targets)...};
    return read_free_items(f, items);
  }
}

// The same read where no status is tested: a failure raises IoError naming the
// file, the record and the reason.
void read_free_required_items(RecordFile& f, std::span<const FreeItem> items);

template <class... T>
void read_free_required(RecordFile& f, T&&... targets) {
  const ReadStatus status = read_free(f, targets...);
  if (status != ReadStatus::ok)
    free_detail::report_failure(f, status);
}

}  // namespace textio
