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

}  // namespace textio

// What read_free's in-line route needs: not part of the interface.
#include "textio/free_format_detail.h"

namespace textio {

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

// The read of number targets where the whole read lies in one record of plain
// numbers: true, with the targets as read_free sets them, when every target is
// a plain number within `record` (what follows the last is passed over, as a
// read passes over the rest of its record). False for anything else (the
// record ends first, a null value, a repeat, a slash, no number of the type),
// the targets then holding anything: that record is for read_free, which may
// go on over the next records or fail. The byte after the record must be
// readable and no part of a number (its line end).
template <class... T>
bool read_plain_record(std::string_view record, T&... targets) {
  const char* p = record.data();
  const char* const last = p + record.size();
  const auto take = [&p, last](auto& target, bool after_value) {
    using Target = std::remove_cvref_t<decltype(target)>;
    p = scan_detail::skip_blanks(p, last);
    if (p != last && *p == ',' && after_value)
      p = scan_detail::skip_blanks(p + 1, last);
    if (p == last || *p == ',')
      return false;
    const char* stop;
    if constexpr (std::is_same_v<Target, std::int32_t>) {
      stop = scan_int32<true>(p, last, target);
    } else if constexpr (std::is_same_v<Target, float>) {
      stop = scan_real32<true>(p, last, target);
    } else {
      static_assert(std::is_same_v<Target, double>, "4-byte integers and reals only");
      stop = scan_real64<true>(p, last, target);
    }
    if (stop == nullptr || (stop != last && !free_detail::ends_unquoted(*stop)))
      return false;
    p = stop;
    return true;
  };
  bool after_value = false;
  return ((take(targets, after_value) && (after_value = true)) && ...);
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
