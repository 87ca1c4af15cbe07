// textio/output_file.h: where records are written: the console, or an output
// file written to a temporary name beside its target and renamed over it when
// complete, so that a failed run never leaves a truncated file in its place.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace textio {

struct OutputFile {
  std::string name;       // the target, as shown in diagnostics
  std::string temp_name;  // where the data goes until commit (empty: console)
  std::FILE* file = nullptr;
  std::vector<char> buffer;  // one allocation, reused
  std::size_t used = 0;

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  ~OutputFile();  // an uncommitted file is closed and its temporary removed
};

// Standard output. Records are passed on as they are written, flushed by flush().
OutputFile console_output();
// A new output file at path (replacing any file there once committed); IoError
// if it cannot be created.
OutputFile create_output(const std::string& path);
// Writes the buffered data out; IoError on failure. Console: flushes stdout.
void flush(OutputFile& out);
// Flushes, closes and renames the temporary over the target; IoError on failure.
void commit(OutputFile& out);

// Appends bytes as they are (the record writers add the line ends).
void write_bytes(OutputFile& out, std::string_view bytes);
// Appends one record: its characters, then CR LF.
void write_record(OutputFile& out, std::string_view record);

// Room for `bytes` more at the end of a file's buffer (writing the buffer out
// first when it has less), so that a writer can build its record in place;
// nullptr for the console, whose records pass on at once, and for a closed
// file or a request larger than the buffer. take_room counts them as written.
char* record_room(OutputFile& out, std::size_t bytes);
inline void take_room(OutputFile& out, std::size_t bytes) {
  out.used += bytes;
}

}  // namespace textio
