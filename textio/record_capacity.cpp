#include "textio/record_capacity.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "textio/io_error.h"

namespace textio {
namespace {

// The file's size and read position, 64-bit on every platform.
bool size_and_position(std::FILE* file, std::uint64_t& size, std::uint64_t& position) {
#ifdef _WIN32
  struct _stat64 st;
  if (_fstat64(_fileno(file), &st) != 0)
    return false;
  const long long at = _ftelli64(file);
#else
  struct stat st;
  if (fstat(fileno(file), &st) != 0)
    return false;
  const long long at = ftello(file);
#endif
  if (at < 0 || st.st_size < at)
    return false;
  size = static_cast<std::uint64_t>(st.st_size);
  position = static_cast<std::uint64_t>(at);
  return true;
}

}  // namespace

std::uint64_t bytes_left(const RecordFile& f) {
  std::uint64_t left = f.end - f.begin;
  if (f.repeat_current)
    left += f.current.size() + 1;
  if (f.file != nullptr && !f.input_done) {
    std::uint64_t size = 0, position = 0;
    if (!size_and_position(f.file, size, position))
      return UINT64_MAX;  // unknown: no limit
    left += size - position;
  }
  return left;
}

void require_records(const RecordFile& f, std::uint64_t count, const char* what) {
  if (count <= bytes_left(f))
    return;
  throw IoError(f.name, f.record_number + 1,
                "end of file: it cannot hold the " + std::to_string(count) + " records of " + what);
}

}  // namespace textio
