// textio/record_capacity.h: how much a record file can still give, so that a
// reader can refuse a header that announces more records than the file holds
// before it creates tables for them.
#pragma once

#include <cstdint>

#include "textio/record_file.h"

namespace textio {

// Bytes not yet read (the record stepped back over counts as unread).
std::uint64_t bytes_left(const RecordFile& f);

// Every record takes at least one byte: IoError ("end of file ...") when the
// rest of f cannot hold `count` more records. `what` names them in the report.
void require_records(const RecordFile& f, std::uint64_t count, const char* what);

}  // namespace textio
