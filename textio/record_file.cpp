#include "textio/record_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "textio/io_error.h"

namespace textio {
namespace {

constexpr std::size_t chunk_size = 1 << 18;

bool is_directory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Moves the unread bytes to the front and reads more; false when nothing came.
bool refill(RecordFile& f) {
  if (f.file == nullptr || f.input_done)
    return false;
  if (f.begin > 0) {
    std::memmove(f.buffer.data(), f.buffer.data() + f.begin, f.end - f.begin);
    f.buffer_offset += static_cast<std::int64_t>(f.begin);
    f.end -= f.begin;
    f.begin = 0;
    f.buffer[f.end] = '\n';
  }
  // One byte stays free behind the data for the line end that closes it.
  if (f.end + 1 >= f.buffer.size()) {
    if (f.buffer.size() >= longest_record) {
      throw IoError(f.name, f.record_number + 1, "record too long");
    }
    f.buffer.resize(f.buffer.size() * 2);
  }
  const std::size_t got =
      std::fread(f.buffer.data() + f.end, 1, f.buffer.size() - f.end - 1, f.file);
  if (got == 0) {
    if (std::ferror(f.file)) {
      throw IoError(f.name, f.record_number + 1, system_reason("cannot read", errno));
    }
    f.input_done = true;
    return false;
  }
  f.end += got;
  f.buffer[f.end] = '\n';
  return true;
}

std::string_view cut_record(RecordFile& f, std::size_t stop, std::size_t next) {
  std::size_t length = stop - f.begin;
  const char* start = f.buffer.data() + f.begin;
  if (length > 0 && start[length - 1] == '\r')
    --length;
  f.begin = next;
  ++f.record_number;
  f.current = std::string_view(start, length);
  return f.current;
}

}  // namespace

RecordFile::RecordFile(RecordFile&& other) noexcept {
  *this = std::move(other);
}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
  if (this != &other) {
    close_records(*this);
    name = std::move(other.name);
    file = std::exchange(other.file, nullptr);
    buffer = std::move(other.buffer);
    buffer_offset = other.buffer_offset;
    begin = other.begin;
    end = other.end;
    input_done = other.input_done;
    record_number = other.record_number;
    current = other.current;
    repeat_current = other.repeat_current;
    last_failure = other.last_failure;
  }
  return *this;
}

RecordFile::~RecordFile() {
  close_records(*this);
}

RecordFile open_records(const std::string& path) {
  if (path.find('\0') != std::string::npos) {
    throw IoError(path, "cannot open file: the name holds a NUL byte");
  }
  if (is_directory(path))
    throw IoError(path, "cannot open file: Is a directory");
  RecordFile f;
  f.name = path;
  f.file = std::fopen(path.c_str(), "rb");
  if (f.file == nullptr)
    throw IoError(path, system_reason("cannot open file", errno));
  f.buffer.resize(chunk_size);
  return f;
}

RecordFile records_from_text(std::string name, std::string_view text) {
  RecordFile f;
  f.name = std::move(name);
  f.buffer.reserve(text.size() + 1);
  f.buffer.assign(text.begin(), text.end());
  f.end = f.buffer.size();
  f.buffer.push_back('\n');  // the line end that closes the last record
  f.input_done = true;
  return f;
}

void close_records(RecordFile& f) {
  if (f.file != nullptr) {
    std::fclose(f.file);
    f.file = nullptr;
  }
}

std::optional<std::string_view> next_record(RecordFile& f) {
  if (f.repeat_current) {
    f.repeat_current = false;
    ++f.record_number;
    return f.current;
  }
  std::size_t searched = f.begin;
  for (;;) {
    const char* data = f.buffer.data();
    if (searched < f.end) {
      const void* lf = std::memchr(data + searched, '\n', f.end - searched);
      if (lf != nullptr) {
        const std::size_t stop = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
        return cut_record(f, stop, stop + 1);
      }
    }
    const std::size_t scanned = f.end - f.begin;
    if (!refill(f)) {
      if (f.begin < f.end)
        return cut_record(f, f.end, f.end);
      return std::nullopt;
    }
    searched = f.begin + scanned;
  }
}

std::string_view next_record_required(RecordFile& f) {
  const auto record = next_record(f);
  if (!record)
    throw IoError(f.name, f.record_number + 1, "end of file");
  return *record;
}

void step_back(RecordFile& f) {
  if (f.record_number == 0 || f.repeat_current)
    return;
  f.repeat_current = true;
  --f.record_number;
}

void rewind(RecordFile& f) {
  f.record_number = 0;
  f.repeat_current = false;
  f.current = {};
  if (f.file == nullptr) {
    f.begin = 0;
    return;
  }
  if (std::fseek(f.file, 0, SEEK_SET) != 0)
    throw IoError(f.name, system_reason("cannot rewind", errno));
  std::clearerr(f.file);
  f.begin = f.end = 0;
  f.buffer_offset = 0;
  f.input_done = false;
}

std::int64_t record_offset(const RecordFile& f) {
  return f.buffer_offset + static_cast<std::int64_t>(f.begin);
}

void seek_records(RecordFile& f, std::int64_t offset, std::int64_t records_before) {
  f.record_number = records_before;
  f.repeat_current = false;
  f.current = {};
  if (f.file == nullptr) {
    f.begin =
        static_cast<std::size_t>(std::min<std::int64_t>(offset, static_cast<std::int64_t>(f.end)));
    return;
  }
#ifdef _WIN32
  const int moved = _fseeki64(f.file, offset, SEEK_SET);
#else
  const int moved = fseeko(f.file, static_cast<off_t>(offset), SEEK_SET);
#endif
  if (moved != 0)
    throw IoError(f.name, system_reason("cannot seek", errno));
  std::clearerr(f.file);
  f.begin = f.end = 0;
  f.buffer_offset = offset;
  f.input_done = false;
}

bool file_exists(const std::string& path) {
  // A name holding a NUL byte would reach the system cut short, naming
  // another file: no file has such a name.
  struct stat st;
  return !path.empty() && path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0;
}

}  // namespace textio
