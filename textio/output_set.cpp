#include "textio/output_set.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "textio/io_error.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace textio {
namespace {

constexpr std::size_t output_buffer_size = 1 << 18;
constexpr int temp_name_attempts = 1000;

#ifdef _WIN32
constexpr const char* separators = "/\\";
long process_id() {
  return static_cast<long>(_getpid());
}
int open_new(const std::string& path) {
  return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
std::FILE* stream_of(int fd) {
  return _fdopen(fd, "wb");
}
void close_fd(int fd) {
  _close(fd);
}
#else
constexpr const char* separators = "/";
long process_id() {
  return static_cast<long>(::getpid());
}
// Mode 0666 less the umask, as any file the program creates.
int open_new(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
std::FILE* stream_of(int fd) {
  return ::fdopen(fd, "wb");
}
void close_fd(int fd) {
  ::close(fd);
}
#endif

// The error of a target that can never be a file (an empty name, ".", "..",
// a name ending in a separator or held by a folder), 0 for one that may.
int unusable_target(const std::string& path) {
  if (path.empty())
    return ENOENT;
  const std::size_t separator = path.find_last_of(separators);
  const std::string_view component =
      std::string_view(path).substr(separator == std::string::npos ? 0 : separator + 1);
  if (component.empty() || component == "." || component == "..")
    return EISDIR;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    return EISDIR;
  return 0;
}

// The folder part of path, its separator included ("" for the working folder).
std::string folder_of(const std::string& path) {
  const std::size_t separator = path.find_last_of(separators);
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// Puts the complete temporary in the place of an existing regular file by
// exchanging the two names: the target is never missing, and the file system
// is not made to write the new data out at once, as some do when a rename
// replaces a file (they take it for an application saving a document). False,
// with nothing changed, where this cannot be done (no such file there, a
// system without the exchange): the caller renames.
bool exchange_names(const std::string& temp_name, const std::string& name) {
#if defined(__linux__) && defined(RENAME_EXCHANGE)
  struct stat st;
  if (::lstat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return false;
  return ::renameat2(AT_FDCWD, temp_name.c_str(), AT_FDCWD, name.c_str(), RENAME_EXCHANGE) == 0;
#else
  (void)temp_name;
  (void)name;
  return false;
#endif
}

}  // namespace

namespace {
void remove_temporaries(OutputSet& set) {
  for (const OutputSet::Entry& e : set.entries) {
    if (!e.temp_name.empty())
      std::remove(e.temp_name.c_str());
  }
  set.entries.clear();
}
}  // namespace

OutputSet::OutputSet(OutputSet&& other) noexcept {
  *this = std::move(other);
}

OutputSet& OutputSet::operator=(OutputSet&& other) noexcept {
  if (this != &other) {
    remove_temporaries(*this);
    entries = std::exchange(other.entries, {});
    temp_counter = other.temp_counter;
  }
  return *this;
}

OutputSet::~OutputSet() {
  remove_temporaries(*this);
}

OutputFile create_output(OutputSet& set, const std::string& path) {
  if (path.find('\0') != std::string::npos) {
    throw IoError(path, "cannot create file: the name holds a NUL byte");
  }
  if (const int error = unusable_target(path))
    throw IoError(path, system_reason("cannot create file", error));

  // A short name of its own in the target's folder: the target's name with a
  // suffix could pass the folder's limit on the length of a name.
  const std::string folder = folder_of(path);
  const std::string stem = folder + ".quilbar-" + std::to_string(process_id()) + "-";
  OutputFile out;
  out.name = path;
  int error = EEXIST;
  for (int attempt = 0; attempt < temp_name_attempts && error == EEXIST; ++attempt) {
    out.temp_name = stem + std::to_string(++set.temp_counter) + ".tmp";
    errno = 0;
    const int fd = open_new(out.temp_name);
    if (fd < 0) {
      error = errno != 0 ? errno : EIO;
      continue;
    }
    out.file = stream_of(fd);
    if (out.file == nullptr) {
      error = errno != 0 ? errno : EIO;
      close_fd(fd);
      std::remove(out.temp_name.c_str());
      break;
    }
    error = 0;
  }
  if (out.file == nullptr) {
    out.temp_name.clear();
    throw IoError(path, system_reason("cannot create file", error));
  }
  out.buffer.resize(output_buffer_size);
  out.real32_fields = std::make_unique<Real32FieldCache>();
  return out;
}

void complete_output(OutputSet& set, OutputFile& out) {
  close_output(out);
  set.entries.push_back({out.name, out.temp_name, true});
  out.temp_name.clear();
}

void commit_outputs(OutputSet& set) {
  std::string done;  // the targets already put in place
  for (OutputSet::Entry& e : set.entries) {
    if (!e.complete)
      continue;
    // After an exchange the temporary name holds the replaced file.
    if (!exchange_names(e.temp_name, e.name)) {
      std::error_code ec;
      std::filesystem::rename(e.temp_name, e.name, ec);
      if (ec) {
        std::string reason = "cannot replace file: " + ec.message();
        reason += done.empty() ? " (no output was replaced)"
                               : " (outputs already replaced: " + done + ")";
        throw IoError(e.name, reason);
      }
      e.temp_name.clear();
    }
    e.complete = false;
    done += (done.empty() ? "" : ", ") + e.name;
  }
  // Removed on this thread: a helper would only overlap them with the end of
  // the run, the set having to stand whole before any of them goes.
  for (OutputSet::Entry& e : set.entries) {
    if (e.temp_name.empty())
      continue;
    errno = 0;
    const bool removed = std::remove(e.temp_name.c_str()) == 0;
    const int error = errno != 0 ? errno : EIO;
    const std::string old_name = std::exchange(e.temp_name, std::string());
    if (!removed) {
      throw IoError(e.name, "cannot remove the file this output replaced, now " + old_name + ": " +
                                std::strerror(error));
    }
  }
}

}  // namespace textio
