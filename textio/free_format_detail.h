// textio/free_format_detail.h: the one-pass route of read_free for plain
// numbers, and the general scanner alone for the tests that compare the two.
// Included by free_format.h after the types it uses; nothing else includes it.
#pragma once

namespace textio {

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

}  // namespace textio
