#include "textio/output_set.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "textio/io_error.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
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
void release_cached_pages(const std::string&) {}
int open_new(const std::string& path) {
  return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
std::FILE* stream_of(int fd) {
  return _fdopen(fd, "wb");
}
void close_fd(int fd) {
  _close(fd);
}
// The longest last component of a name the folder takes, in bytes (the
// system counts characters; a byte per character is the safe side).
long longest_name(const std::string&) {
  return 255;
}
bool process_runs(long process) {
  const HANDLE h =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
  if (h == nullptr)
    return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to ask
  DWORD code = 0;
  const bool runs = GetExitCodeProcess(h, &code) == 0 || code == STILL_ACTIVE;
  CloseHandle(h);
  return runs;
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
long longest_name(const std::string& folder) {
  errno = 0;
  const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? limit : 255;
}
// The file a new output will replace keeps its data until the new set is in
// place, but the pages the system caches of it are given back now: the new
// data takes them, as a file rewritten where it stands takes its own, rather
// than memory the system must first find and clear. Not a regular file, or
// not to be opened: nothing to give back.
void release_cached_pages(const std::string& path) {
#ifdef POSIX_FADV_DONTNEED
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return;  // a device, say, is not even opened
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0)
    return;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
#else
  (void)path;
#endif
}
bool process_runs(long process) {
  if (process <= 0 || process > INT_MAX)
    return true;  // names no process this system has: not ours to judge
  return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
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

// Removes from a folder the temporaries of runs whose process no longer runs
// (a run killed by a signal cannot remove its own). Only names of exactly the
// temporaries' form are touched, and never those of a running process.
void remove_leftovers(const std::string& folder) {
  std::error_code ec;
  const std::filesystem::path where(folder.empty() ? std::string(".") : folder);
  for (auto it = std::filesystem::directory_iterator(where, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    long process = 0;
    if (!temporary_name_process(it->path().filename().string(), process) ||
        process == process_id() || process_runs(process))
      continue;
    std::error_code kind_ec;
    if (it->symlink_status(kind_ec).type() == std::filesystem::file_type::regular)
      std::filesystem::remove(it->path(), kind_ec);
  }
}

// The set's next temporary name in folder, ".quilbar-<process>-<n>.tmp".
std::string numbered_temp_name(const std::string& folder, std::uint64_t number) {
  return folder + ".quilbar-" + std::to_string(process_id()) + "-" + std::to_string(number) +
         ".tmp";
}
std::string next_temp_name(OutputSet& set, const std::string& folder) {
  return numbered_temp_name(folder, ++set.temp_counter);
}

// A temporary name of this run in folder that no file holds now.
std::string free_temp_name(OutputSet& set, const std::string& folder) {
  for (;;) {
    std::string name = next_temp_name(set, folder);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(name, ec)))
      return name;
  }
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

struct TemporariesAhead {
  struct Made {
    std::string temp_name;  // none when it could not be made
    int fd = -1;
    int error = 0;
  };
  // At most this many made and not yet taken (each holds a file open).
  static constexpr std::size_t most_ahead = 8;

  std::vector<std::string> paths;  // the targets, in the order they come
  std::string folder;
  std::uint64_t first_number = 0, numbers = 0;  // the temporary names kept for them
  std::mutex mutex;
  std::condition_variable made_one, taken_one;
  std::deque<Made> made;
  std::size_t taken = 0;  // of paths, how many have been taken
  bool stopping = false;
  std::thread maker;
};

namespace {

void make_ahead(TemporariesAhead& a) {
  std::uint64_t number = a.first_number;
  const std::uint64_t end = a.first_number + a.numbers;
  for (const std::string& path : a.paths) {
    {
      std::unique_lock<std::mutex> lock(a.mutex);
      a.taken_one.wait(lock,
                       [&a] { return a.stopping || a.made.size() < TemporariesAhead::most_ahead; });
      if (a.stopping)
        return;
    }
    TemporariesAhead::Made m;
    m.error = EEXIST;
    while (m.error == EEXIST && number < end) {
      m.temp_name = numbered_temp_name(a.folder, number++);
      errno = 0;
      m.fd = open_new(m.temp_name);
      m.error = m.fd >= 0 ? 0 : (errno != 0 ? errno : EIO);
    }
    if (m.error != 0)
      m.temp_name.clear();
    release_cached_pages(path);
    {
      const std::lock_guard<std::mutex> lock(a.mutex);
      a.made.push_back(std::move(m));
    }
    a.made_one.notify_all();
  }
}

// Stops the maker; the temporaries it made that were not taken go.
void end_temporaries_ahead(OutputSet& set) {
  if (!set.ahead)
    return;
  TemporariesAhead& a = *set.ahead;
  {
    const std::lock_guard<std::mutex> lock(a.mutex);
    a.stopping = true;
  }
  a.taken_one.notify_all();
  if (a.maker.joinable())
    a.maker.join();
  for (const TemporariesAhead::Made& m : a.made) {
    if (m.fd >= 0) {
      close_fd(m.fd);
      std::remove(m.temp_name.c_str());
    }
  }
  set.ahead.reset();
}

// The temporary made ahead for `path` when it is the next one expected:
// waited for, its error as it came (0 and no name: none expected).
TemporariesAhead::Made take_made_ahead(OutputSet& set, const std::string& path) {
  if (!set.ahead)
    return {};
  TemporariesAhead& a = *set.ahead;
  if (a.taken >= a.paths.size() || a.paths[a.taken] != path)
    return {};
  std::unique_lock<std::mutex> lock(a.mutex);
  a.made_one.wait(lock, [&a] { return !a.made.empty(); });
  TemporariesAhead::Made m = std::move(a.made.front());
  a.made.pop_front();
  ++a.taken;
  lock.unlock();
  a.taken_one.notify_all();
  if (m.error == 0 && m.fd < 0)
    m.error = EIO;
  return m;
}

}  // namespace

void make_temporaries_ahead(OutputSet& set, const std::vector<std::string>& paths) {
  end_temporaries_ahead(set);
  if (set.check_only || paths.size() < 2)
    return;
  const std::string folder = folder_of(paths.front());
  for (const std::string& path : paths) {
    if (folder_of(path) != folder)
      return;
  }
  if (std::find(set.swept_folders.begin(), set.swept_folders.end(), folder) ==
      set.swept_folders.end()) {
    set.swept_folders.push_back(folder);
    remove_leftovers(folder);
  }
  auto a = std::make_unique<TemporariesAhead>();
  a->paths = paths;
  a->folder = folder;
  a->first_number = set.temp_counter + 1;
  a->numbers = paths.size() + temp_name_attempts;
  set.temp_counter += a->numbers;
  try {
    a->maker = std::thread(make_ahead, std::ref(*a));
  } catch (const std::system_error&) {
    return;  // no thread to be had: each output makes its own
  }
  set.ahead = std::move(a);
}

OutputSet::OutputSet() = default;

OutputSet::OutputSet(OutputSet&& other) noexcept {
  *this = std::move(other);
}

OutputSet& OutputSet::operator=(OutputSet&& other) noexcept {
  if (this != &other) {
    end_temporaries_ahead(*this);
    remove_temporaries(*this);
    entries = std::exchange(other.entries, {});
    temp_counter = other.temp_counter;
    check_only = other.check_only;
    swept_folders = std::exchange(other.swept_folders, {});
    ahead = std::move(other.ahead);
  }
  return *this;
}

OutputSet::~OutputSet() {
  end_temporaries_ahead(*this);
  remove_temporaries(*this);
}

namespace {
// The output of a check-only run: what can be known of its name without
// making a file is checked (a folder that is not there or cannot be written
// into), then its records are made and forgotten.
OutputFile checked_output(const std::string& path, const std::string& folder) {
  const std::string where = folder.empty() ? std::string(".") : folder;
  std::error_code ec;
  if (!std::filesystem::is_directory(where, ec))
    throw IoError(path, system_reason("cannot create file", ENOENT));
#ifndef _WIN32
  if (::access(where.c_str(), W_OK) != 0)
    throw IoError(path, system_reason("cannot create file", errno != 0 ? errno : EACCES));
#endif
  OutputFile out;
  out.name = path;
  out.discarding = true;
  out.buffer.resize(output_buffer_size);
  out.real32_fields = std::make_unique<Real32FieldCache>();
  return out;
}
}  // namespace

OutputFile create_output(OutputSet& set, const std::string& path) {
  if (path.find('\0') != std::string::npos) {
    throw IoError(path, "cannot create file: the name holds a NUL byte");
  }
  if (const int error = unusable_target(path))
    throw IoError(path, system_reason("cannot create file", error));

  // A short name of its own in the target's folder: the target's name with a
  // suffix could pass the folder's limit on the length of a name. The
  // target's own name is checked against that limit now, before the output is
  // announced, not when the set is put in place.
  const std::string folder = folder_of(path);
  if (static_cast<long>(path.size() - folder.size()) > longest_name(folder))
    throw IoError(path, system_reason("cannot create file", ENAMETOOLONG));
  if (set.check_only)
    return checked_output(path, folder);
  if (std::find(set.swept_folders.begin(), set.swept_folders.end(), folder) ==
      set.swept_folders.end()) {
    set.swept_folders.push_back(folder);
    remove_leftovers(folder);
  }
  OutputFile out;
  out.name = path;
  TemporariesAhead::Made made = take_made_ahead(set, path);
  int error = EEXIST;
  if (!made.temp_name.empty() || made.error != 0) {
    // Made ahead: taken as if made here.
    error = made.error;
    out.temp_name = std::move(made.temp_name);
    if (error == 0) {
      errno = 0;
      out.file = stream_of(made.fd);
      if (out.file == nullptr) {
        error = errno != 0 ? errno : EIO;
        close_fd(made.fd);
        std::remove(out.temp_name.c_str());
      }
    }
  }
  for (int attempt = 0; attempt < temp_name_attempts && error == EEXIST; ++attempt) {
    out.temp_name = next_temp_name(set, folder);
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
  if (made.fd < 0)
    release_cached_pages(path);
  out.buffer.resize(output_buffer_size);
  out.real32_fields = std::make_unique<Real32FieldCache>();
  return out;
}

void complete_output(OutputSet& set, OutputFile& out) {
  close_output(out);
  OutputSet::Entry entry;
  entry.name = out.name;
  entry.temp_name = out.temp_name;
  entry.complete = !out.discarding;  // a check-only output is never put in place
  set.entries.push_back(std::move(entry));
  out.temp_name.clear();
}

namespace {

std::string error_text(const std::error_code& ec) {
  return ec.message();
}

// Puts one complete output in place; the empty string when done, else the
// system's reason (nothing changed then).
std::string put_in_place(OutputSet& set, OutputSet::Entry& e) {
  if (exchange_names(e.temp_name, e.name)) {
    e.placed = OutputSet::Placed::exchanged;
    return {};
  }
  std::error_code ec;
  const auto kind = std::filesystem::symlink_status(e.name, ec).type();
  const bool held = kind != std::filesystem::file_type::not_found &&
                    kind != std::filesystem::file_type::none &&
                    kind != std::filesystem::file_type::directory;
  if (held) {
    // The file in the way is kept aside until the whole set stands, so that
    // it can be put back.
    e.backup_name = free_temp_name(set, folder_of(e.name));
    std::filesystem::rename(e.name, e.backup_name, ec);
    if (ec) {
      e.backup_name.clear();
      return error_text(ec);
    }
  }
  std::filesystem::rename(e.temp_name, e.name, ec);
  if (ec) {
    if (held) {
      std::error_code back;
      std::filesystem::rename(e.backup_name, e.name, back);
      if (!back)
        e.backup_name.clear();
    }
    return error_text(ec);
  }
  e.temp_name.clear();
  e.placed = held ? OutputSet::Placed::renamed : OutputSet::Placed::created;
  return {};
}

// Puts an output back as it was before put_in_place; false if it cannot be.
bool put_back(OutputSet::Entry& e) {
  std::error_code ec;
  switch (e.placed) {
    case OutputSet::Placed::exchanged:
      // The same exchange again: the new data goes back to the temporary.
      if (!exchange_names(e.temp_name, e.name))
        return false;
      break;
    case OutputSet::Placed::created:
      if (!std::filesystem::remove(e.name, ec) || ec)
        return false;
      break;
    case OutputSet::Placed::renamed:
      std::filesystem::rename(e.backup_name, e.name, ec);
      if (ec)
        return false;
      e.backup_name.clear();
      break;
    case OutputSet::Placed::no:
      break;
  }
  e.placed = OutputSet::Placed::no;
  return true;
}

}  // namespace

void commit_outputs(OutputSet& set) {
  end_temporaries_ahead(set);
  for (std::size_t k = 0; k < set.entries.size(); ++k) {
    OutputSet::Entry& failed = set.entries[k];
    if (!failed.complete)
      continue;
    const std::string reason = put_in_place(set, failed);
    if (reason.empty()) {
      failed.complete = false;
      continue;
    }
    // All or nothing: what is in place already goes back, last first.
    std::string left;
    if (!failed.backup_name.empty())  // its own file could not be put back
      left = failed.name + " (its earlier file is now " + failed.backup_name + ")";
    for (std::size_t b = k; b-- > 0;) {
      OutputSet::Entry& e = set.entries[b];
      if (e.placed == OutputSet::Placed::no)
        continue;
      if (!put_back(e))
        left = e.name + (left.empty() ? "" : ", " + left);
    }
    for (OutputSet::Entry& e : set.entries) {
      if (e.placed != OutputSet::Placed::no || !e.backup_name.empty()) {
        // Stays replaced: the file it replaced is all that is left of that
        // one, and is kept under its temporary name.
        e.temp_name.clear();
        e.backup_name.clear();
      }
    }
    const std::string failed_name = failed.name;
    remove_temporaries(set);
    throw IoError(failed_name, "cannot replace file: " + reason +
                                   (left.empty() ? " (no output was replaced)"
                                                 : " (outputs left replaced: " + left + ")"));
  }
  // Removed on this thread: a helper would only overlap them with the end of
  // the run, the set having to stand whole before any of them goes.
  for (OutputSet::Entry& e : set.entries) {
    const std::string old_name = std::exchange(
        e.placed == OutputSet::Placed::renamed ? e.backup_name : e.temp_name, std::string());
    e.placed = OutputSet::Placed::no;
    if (old_name.empty())
      continue;
    errno = 0;
    const bool removed = std::remove(old_name.c_str()) == 0;
    const int error = errno != 0 ? errno : EIO;
    if (!removed) {
      throw IoError(e.name, "cannot remove the file this output replaced, now " + old_name + ": " +
                                std::strerror(error));
    }
  }
}

std::vector<OutputSummary> outputs_made(const OutputSet& set) {
  std::vector<OutputSummary> made;
  for (const OutputSet::Entry& e : set.entries) {
    std::error_code ec;
    std::optional<std::uintmax_t> bytes;
    if (!e.temp_name.empty()) {
      const std::uintmax_t size = std::filesystem::file_size(e.temp_name, ec);
      if (!ec)
        bytes = size;
    }
    made.push_back({e.name, bytes});
  }
  return made;
}

bool temporary_name_process(std::string_view name, long& process) {
  constexpr std::string_view head = ".quilbar-", tail = ".tmp";
  if (!name.starts_with(head) || !name.ends_with(tail))
    return false;
  name = name.substr(head.size(), name.size() - head.size() - tail.size());
  const std::size_t dash = name.find('-');
  if (dash == std::string_view::npos)
    return false;
  const std::string_view pid = name.substr(0, dash), n = name.substr(dash + 1);
  // Digits only, no leading zero: the form the names are made in.
  const auto number = [](std::string_view digits) {
    return !digits.empty() && digits.size() <= 18 && digits[0] != '0' &&
           digits.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!number(pid) || !number(n))
    return false;
  process = 0;
  for (const char c : pid) {
    if (process > (std::numeric_limits<long>::max() - 9) / 10)
      return false;
    process = process * 10 + (c - '0');
  }
  return true;
}

}  // namespace textio
