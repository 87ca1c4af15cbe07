#include "textio/output_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "textio/io_error.h"
#include "textio/output_room.h"

namespace textio {
namespace {

// Writes the buffered bytes to the file.
void drain(OutputFile& out) {
  if (out.used == 0 || out.discarding) {
    out.used = 0;
    return;
  }
  if (out.memory != nullptr) {
    out.memory->append(out.buffer.data(), out.used);
    out.used = 0;
    return;
  }
  errno = 0;
  const std::size_t put = std::fwrite(out.buffer.data(), 1, out.used, out.file);
  if (put != out.used) {
    const int error = errno != 0 ? errno : EIO;
    throw IoError(out.name, system_reason("cannot write", error));
  }
  out.used = 0;
}

void discard(OutputFile& out) {
  if (out.file != nullptr && !out.console) {
    std::fclose(out.file);
    std::remove(out.temp_name.c_str());
  }
  out.file = nullptr;
}

}  // namespace

OutputFile::OutputFile(OutputFile&& other) noexcept {
  *this = std::move(other);
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    discard(*this);
    name = std::move(other.name);
    temp_name = std::move(other.temp_name);
    console = std::exchange(other.console, false);
    discarding = std::exchange(other.discarding, false);
    memory = std::exchange(other.memory, nullptr);
    file = std::exchange(other.file, nullptr);
    buffer = std::move(other.buffer);
    used = std::exchange(other.used, 0);
    real32_fields = std::move(other.real32_fields);
  }
  return *this;
}

OutputFile::~OutputFile() {
  discard(*this);
}

OutputFile memory_output(std::string& text) {
  OutputFile out;
  out.name = "memory";
  out.memory = &text;
  out.buffer.resize(1 << 16);
  out.real32_fields = std::make_unique<Real32FieldCache>();
  return out;
}

OutputFile console_output() {
  OutputFile out;
  out.name = "standard output";
  out.console = true;
  out.file = stdout;
  return out;
}

void flush(OutputFile& out) {
  if (out.memory != nullptr) {
    drain(out);
    return;
  }
  if (out.file == nullptr)
    return;
  drain(out);
  if (std::fflush(out.file) != 0 || std::ferror(out.file)) {
    throw IoError(out.name, system_reason("cannot write", errno != 0 ? errno : EIO));
  }
}

void close_output(OutputFile& out) {
  if (out.console) {
    flush(out);
    return;
  }
  if (out.discarding || out.memory != nullptr) {
    drain(out);
    return;
  }
  if (out.file == nullptr)
    throw IoError(out.name, "file is not open");
  drain(out);
  errno = 0;
  const bool written = std::fflush(out.file) == 0 && !std::ferror(out.file);
  const int error = errno != 0 ? errno : EIO;
  const bool closed = std::fclose(out.file) == 0;
  out.file = nullptr;
  if (!written || !closed) {
    std::remove(out.temp_name.c_str());
    throw IoError(out.name, system_reason("cannot write", error));
  }
}

void write_bytes(OutputFile& out, std::string_view bytes) {
  if (out.file == nullptr && out.memory == nullptr) {
    if (out.discarding)
      return;
    throw IoError(out.name, "file is not open");
  }
  if (out.console) {
    std::fwrite(bytes.data(), 1, bytes.size(), out.file);
    return;
  }
  if (out.used + bytes.size() > out.buffer.size()) {
    drain(out);
    if (bytes.size() > out.buffer.size()) {
      if (out.memory != nullptr) {
        out.memory->append(bytes);
        return;
      }
      errno = 0;
      if (std::fwrite(bytes.data(), 1, bytes.size(), out.file) != bytes.size()) {
        throw IoError(out.name, system_reason("cannot write", errno != 0 ? errno : EIO));
      }
      return;
    }
  }
  if (bytes.empty())
    return;  // an empty view may hold no pointer at all
  std::memcpy(out.buffer.data() + out.used, bytes.data(), bytes.size());
  out.used += bytes.size();
}

char* record_room(OutputFile& out, std::size_t bytes) {
  if (out.console || (out.file == nullptr && !out.discarding && out.memory == nullptr) ||
      bytes > out.buffer.size())
    return nullptr;
  if (out.used + bytes > out.buffer.size())
    drain(out);
  return out.buffer.data() + out.used;
}

void write_record(OutputFile& out, std::string_view record) {
  if (char* p = record_room(out, record.size() + 2)) {
    std::memcpy(p, record.data(), record.size());
    p[record.size()] = '\r';
    p[record.size() + 1] = '\n';
    take_room(out, record.size() + 2);
    return;
  }
  write_bytes(out, record);
  write_bytes(out, "\r\n");
}

}  // namespace textio
