#include "textio/free_writer.h"

namespace textio {
namespace writer_detail {

void RecordBuilder::put_text_on_new_records(std::string_view t) {
  if (t.size() + 1 <= record_width) {
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

}  // namespace writer_detail

std::string_view trimmed(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

}  // namespace textio
