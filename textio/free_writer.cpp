#include "textio/free_writer.h"

#include <cstring>

#include "textio/number_text.h"

namespace textio {
namespace {

// The record being built by one write: in place at the end of a file's
// buffer, or here for the console.
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
    const std::size_t need = t.size() + (blank ? 1 : 0);
    if (length + need <= record_width) {
      if (blank)
        line[length++] = ' ';
      std::memcpy(line + length, t.data(), t.size());
      length += t.size();
    } else if (t.size() + 1 <= record_width) {
      end_record();
      line[length++] = ' ';
      std::memcpy(line + length, t.data(), t.size());
      length += t.size();
    } else {
      // Longer than a record: a fresh record, then one blank and up to 79
      // characters per record; the last piece stays open for what follows.
      if (has_items)
        end_record();
      for (;;) {
        const std::size_t piece = t.size() < record_width - 1 ? t.size() : record_width - 1;
        line[0] = ' ';
        std::memcpy(line + 1, t.data(), piece);
        length = piece + 1;
        t.remove_prefix(piece);
        if (t.empty())
          break;
        has_items = true;
        end_record();
      }
    }
    has_items = true;
    last_was_number = false;
  }

  void put_field(const char* field, std::size_t width) {
    if (length + width > record_width)
      end_record();
    std::memcpy(line + length, field, width);
    length += width;
    has_items = true;
    last_was_number = true;
  }
};

}  // namespace

void write_free_items(OutputFile& out, std::span<const WriteItem> items) {
  RecordBuilder b(out);
  char field[32];
  for (const WriteItem& item : items) {
    switch (item.kind) {
      case WriteItem::Kind::text:
        b.put_text(item.text);
        break;
      case WriteItem::Kind::int8:
        format_int_field(item.integer, int8_field_width, field);
        b.put_field(field, int8_field_width);
        break;
      case WriteItem::Kind::int32:
        format_int_field(item.integer, int32_field_width, field);
        b.put_field(field, int32_field_width);
        break;
      case WriteItem::Kind::int64:
        format_int_field(item.integer, int64_field_width, field);
        b.put_field(field, int64_field_width);
        break;
      case WriteItem::Kind::real32:
        format_real32_field(static_cast<float>(item.real), field);
        b.put_field(field, real32_field_width);
        break;
      case WriteItem::Kind::real64:
        format_real64_field(item.real, field);
        b.put_field(field, real64_field_width);
        break;
    }
  }
  b.finish_record();
}

std::string_view trimmed(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

}  // namespace textio
