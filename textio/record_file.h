// textio/record_file.h: the records of one text file (or of a text in memory),
// read in order through a fixed buffer, so that inputs of hundreds of MB are
// streamed and never held whole.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace textio {

struct RecordFile {
  std::string name;                // as shown in diagnostics
  std::FILE* file = nullptr;       // null for a text in memory
  std::vector<char> buffer;        // file data, or the whole text in memory
  std::int64_t buffer_offset = 0;  // where in the file buffer[0] lies
  std::size_t begin = 0;           // first unread byte of buffer
  std::size_t end = 0;             // one past the last valid byte of buffer
  bool input_done = false;         // the file has nothing more to give
  std::int64_t record_number = 0;  // number of the record just read (1 = first)
  std::string_view current;        // the record just read, valid until the next read
  bool repeat_current = false;     // step_back: deliver `current` once more
  const char* last_failure = "";   // reason of the last failed free-format read

  RecordFile() = default;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  RecordFile(RecordFile&& other) noexcept;
  RecordFile& operator=(RecordFile&& other) noexcept;
  ~RecordFile();
};

// Opens an existing file for reading; IoError when it cannot be opened.
RecordFile open_records(const std::string& path);
// A text in memory read through the same functions (internal reads, tests).
RecordFile records_from_text(std::string name, std::string_view text);
void close_records(RecordFile& f);  // closing a closed file does nothing

// The next record without its line end (LF, or CR LF), or nullopt at the end of
// the file. IoError when the system read fails. The character just after the
// record can be read and is its line end ('\n' or '\r', also after a last
// record that has none in the file), so a scan can stop there unchecked.
std::optional<std::string_view> next_record(RecordFile& f);
// The same where the record must be there: IoError ("end of file") when it is not.
std::string_view next_record_required(RecordFile& f);
// Moves back to the start of the record just read; the next read returns it again.
void step_back(RecordFile& f);
// Moves back to the first record.
void rewind(RecordFile& f);

// Where in the file the next record starts (the byte after the record just
// read; not after step_back): with its number, a place seek_records can come
// back to.
std::int64_t record_offset(const RecordFile& f);
// Moves to the record that starts at byte `offset`, `records_before` records
// after the first: the next read returns it, numbered records_before + 1.
void seek_records(RecordFile& f, std::int64_t offset, std::int64_t records_before);

// A record of this many bytes or more is refused ("record too long").
inline constexpr std::size_t longest_record = std::size_t{1} << 28;

// Whether something of this name exists (a directory too: opening it then
// fails with the I/O layer's report). A name holding a NUL byte names nothing.
bool file_exists(const std::string& path);

}  // namespace textio
