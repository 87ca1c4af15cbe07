#include "textio/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "textio/file_removal.h"
#include "textio/io_error.h"

#if defined(__linux__)
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#endif

namespace textio {
namespace {

constexpr std::size_t output_buffer_size = 1 << 18;

std::string system_reason(const char* what, int error) {
  return std::string(what) + ": " + std::strerror(error);
}

bool is_console(const OutputFile& out) {
  return out.temp_name.empty();
}

// Writes the buffered bytes to the file.
void drain(OutputFile& out) {
  if (out.used == 0)
    return;
  errno = 0;
  const std::size_t put = std::fwrite(out.buffer.data(), 1, out.used, out.file);
  if (put != out.used) {
    const int error = errno != 0 ? errno : EIO;
    throw IoError(out.name, system_reason("cannot write", error));
  }
  out.used = 0;
}

// Puts the complete temporary in the place of an existing regular file by
// exchanging the two names, then has the old file removed (beside the run,
// see file_removal.h): the target is never missing, and the file system is
// not made to write the new data out at once, as some do when a rename
// replaces a file (they take it for an application saving a document). False,
// with nothing changed, where this cannot be done (no such file there, a
// system without the exchange): the caller renames.
bool exchange_into_place(const OutputFile& out) {
#if defined(__linux__) && defined(RENAME_EXCHANGE)
  struct stat st;
  if (::lstat(out.name.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return false;
  if (::renameat2(AT_FDCWD, out.temp_name.c_str(), AT_FDCWD, out.name.c_str(), RENAME_EXCHANGE) !=
      0)
    return false;
  remove_later(out.temp_name);  // the old file, now under the temporary name
  return true;
#else
  (void)out;
  return false;
#endif
}

void discard(OutputFile& out) {
  if (out.file != nullptr && !is_console(out)) {
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
    file = std::exchange(other.file, nullptr);
    buffer = std::move(other.buffer);
    used = std::exchange(other.used, 0);
  }
  return *this;
}

OutputFile::~OutputFile() {
  discard(*this);
}

OutputFile console_output() {
  OutputFile out;
  out.name = "standard output";
  out.file = stdout;
  return out;
}

OutputFile create_output(const std::string& path) {
  if (path.find('\0') != std::string::npos) {
    throw IoError(path, "cannot create file: the name holds a NUL byte");
  }
  OutputFile out;
  out.name = path;
  out.temp_name = path + ".quilbar-tmp";
  wait_for_removal(out.temp_name);  // an older file under that name goes first
  errno = 0;
  out.file = std::fopen(out.temp_name.c_str(), "wb");
  if (out.file == nullptr) {
    const int error = errno != 0 ? errno : EIO;
    out.temp_name.clear();
    throw IoError(path, system_reason("cannot create file", error));
  }
  out.buffer.resize(output_buffer_size);
  return out;
}

void flush(OutputFile& out) {
  if (out.file == nullptr)
    return;
  drain(out);
  if (std::fflush(out.file) != 0 || std::ferror(out.file)) {
    throw IoError(out.name, system_reason("cannot write", errno != 0 ? errno : EIO));
  }
}

void commit(OutputFile& out) {
  if (is_console(out)) {
    flush(out);
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
  if (exchange_into_place(out))
    return;
  std::error_code ec;
  std::filesystem::rename(out.temp_name, out.name, ec);
  if (ec) {
    std::remove(out.temp_name.c_str());
    throw IoError(out.name, "cannot replace file: " + ec.message());
  }
}

void write_bytes(OutputFile& out, std::string_view bytes) {
  if (out.file == nullptr)
    throw IoError(out.name, "file is not open");
  if (is_console(out)) {
    std::fwrite(bytes.data(), 1, bytes.size(), out.file);
    return;
  }
  if (out.used + bytes.size() > out.buffer.size()) {
    drain(out);
    if (bytes.size() > out.buffer.size()) {
      errno = 0;
      if (std::fwrite(bytes.data(), 1, bytes.size(), out.file) != bytes.size()) {
        throw IoError(out.name, system_reason("cannot write", errno != 0 ? errno : EIO));
      }
      return;
    }
  }
  std::memcpy(out.buffer.data() + out.used, bytes.data(), bytes.size());
  out.used += bytes.size();
}

char* record_room(OutputFile& out, std::size_t bytes) {
  if (is_console(out) || out.file == nullptr || bytes > out.buffer.size())
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
