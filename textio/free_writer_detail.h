// textio/free_writer_detail.h: the record builder behind write_free, which
// puts each item straight into the record in the output buffer.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "textio/number_text.h"
#include "textio/output_file.h"
#include "textio/output_room.h"

namespace textio {

inline constexpr std::size_t record_width = 80;

namespace writer_detail {

// The record being built by one write: in place at the end of a file's
// buffer, or here for the console. The items go straight into it, each in
// its turn: the writers of long series call this for every record.
struct RecordBuilder {
  explicit RecordBuilder(OutputFile& o) : out(o) { begin_record(); }

  OutputFile& out;
  char local[record_width];
  char* line = local;
  bool in_place = false;
  std::size_t length = 0;
  bool has_items = false;
  bool last_was_number = false;

  void begin_record() {
    char* room = record_room(out, record_width + 2);
    in_place = room != nullptr;
    line = in_place ? room : local;
  }

  void finish_record() {
    if (in_place) {
      line[length] = '\r';
      line[length + 1] = '\n';
      take_room(out, length + 2);
    } else {
      write_record(out, std::string_view(local, length));
    }
  }

  void end_record() {
    finish_record();
    length = 0;
    has_items = false;
    last_was_number = false;
    begin_record();
  }

  void put_text(std::string_view t) {
    const bool blank = !has_items || last_was_number;
    if (length + t.size() + (blank ? 1 : 0) > record_width) {
      put_text_on_new_records(t);
      return;
    }
    if (blank)
      line[length++] = ' ';
    std::memcpy(line + length, t.data(), t.size());
    length += t.size();
    has_items = true;
    last_was_number = false;
  }
  // A text that does not fit in what is left of the record.
  void put_text_on_new_records(std::string_view t);

  // Where a number field of `width` goes (a new record when it does not fit),
  // then took_field once it is written there.
  char* field_room(std::size_t width) {
    if (length + width > record_width)
      end_record();
    return line + length;
  }
  void took_field(std::size_t width) {
    length += width;
    has_items = true;
    last_was_number = true;
  }
};

inline void put(RecordBuilder& b, std::string_view t) {
  b.put_text(t);
}
inline void put(RecordBuilder& b, const std::string& t) {
  b.put_text(t);
}
inline void put(RecordBuilder& b, const char* t) {
  b.put_text(t);
}
inline void put(RecordBuilder& b, std::int8_t v) {
  format_int_field(v, int8_field_width, b.field_room(int8_field_width));
  b.took_field(int8_field_width);
}
inline void put(RecordBuilder& b, std::int32_t v) {
  format_int_field(v, int32_field_width, b.field_room(int32_field_width));
  b.took_field(int32_field_width);
}
inline void put(RecordBuilder& b, std::int64_t v) {
  format_int_field(v, int64_field_width, b.field_room(int64_field_width));
  b.took_field(int64_field_width);
}
inline void put(RecordBuilder& b, float v) {
  format_real32_field(v, b.field_room(real32_field_width), b.out.real32_fields.get());
  b.took_field(real32_field_width);
}
inline void put(RecordBuilder& b, double v) {
  format_real64_field(v, b.field_room(real64_field_width));
  b.took_field(real64_field_width);
}

}  // namespace writer_detail

}  // namespace textio
