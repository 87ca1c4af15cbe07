// textio/free_writer.h: the free-format writer. Records of at most 80
// characters; a text item starts with a blank when it opens a record or follows
// a number; numbers are written in the field of their type; an item that does
// not fit starts a new record. Every record ends with CR LF.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "textio/free_writer_detail.h"
#include "textio/output_file.h"

namespace textio {

// One write: one record or more (a write with no items is an empty record).
template <class... T>
void write_free(OutputFile& out, const T&... items) {
  writer_detail::RecordBuilder b(out);
  (writer_detail::put(b, items), ...);
  b.finish_record();
}

// The text without its trailing blanks (file names are used so).
std::string_view trimmed(std::string_view text);

}  // namespace textio
