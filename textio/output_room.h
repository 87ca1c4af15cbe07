// textio/output_room.h: building a record in place in an output file's buffer,
// for the record writers' fast paths.
#pragma once

#include <cstddef>

#include "textio/output_file.h"

namespace textio {

// Room for `bytes` more at the end of a file's buffer (writing the buffer out
// first when it has less), so that a writer can build its record in place;
// nullptr for the console, whose records pass on at once, and for a closed
// file or a request larger than the buffer. take_room counts them as written.
char* record_room(OutputFile& out, std::size_t bytes);
inline void take_room(OutputFile& out, std::size_t bytes) {
  out.used += bytes;
}

}  // namespace textio
