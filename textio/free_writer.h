// textio/free_writer.h: the free-format writer. Records of at most 80
// characters; a text item starts with a blank when it opens a record or follows
// a number; numbers are written in the field of their type; an item that does
// not fit starts a new record. Every record ends with CR LF.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "textio/output_file.h"

namespace textio {

inline constexpr std::size_t record_width = 80;

struct WriteItem {
  enum class Kind : std::uint8_t { text, int8, int32, int64, real32, real64 };
  Kind kind;
  std::string_view text;
  std::int64_t integer = 0;
  double real = 0.0;  // a 4-byte real is held exactly in a double
};

inline WriteItem write_item(std::string_view t) {
  return {WriteItem::Kind::text, t};
}
inline WriteItem write_item(const std::string& t) {
  return {WriteItem::Kind::text, t};
}
inline WriteItem write_item(const char* t) {
  return {WriteItem::Kind::text, t};
}
inline WriteItem write_item(std::int8_t v) {
  return {WriteItem::Kind::int8, {}, v};
}
inline WriteItem write_item(std::int32_t v) {
  return {WriteItem::Kind::int32, {}, v};
}
inline WriteItem write_item(std::int64_t v) {
  return {WriteItem::Kind::int64, {}, v};
}
inline WriteItem write_item(float v) {
  return {WriteItem::Kind::real32, {}, 0, v};
}
inline WriteItem write_item(double v) {
  return {WriteItem::Kind::real64, {}, 0, v};
}

// One write: one record or more (a write with no items is an empty record).
void write_free_items(OutputFile& out, std::span<const WriteItem> items);

template <class... T>
void write_free(OutputFile& out, const T&... items) {
  if constexpr (sizeof...(T) == 0) {
    write_free_items(out, {});
  } else {
    const WriteItem list[] = {write_item(items)...};
    write_free_items(out, list);
  }
}

// The text without its trailing blanks (file names are used so).
std::string_view trimmed(std::string_view text);

}  // namespace textio
