// textio/output_file.h: where records are written: the console, or an output
// file of the run's output set (textio/output_set.h), written under a
// temporary name beside its target until the whole set is put in place.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "textio/number_text.h"

namespace textio {

struct OutputFile {
  std::string name;               // the target, as shown in diagnostics
  std::string temp_name;          // where the data goes until the set is put in place
  bool console = false;           // standard output: records pass on at once
  bool discarding = false;        // a check-only run's output: records are made, then forgotten
  std::string* memory = nullptr;  // records go to this text (a block formatted ahead)
  std::FILE* file = nullptr;
  std::vector<char> buffer;  // one allocation, reused
  std::size_t used = 0;
  std::unique_ptr<Real32FieldCache> real32_fields;  // of this file's 4-byte reals

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  ~OutputFile();  // a file still open is closed and its temporary removed
};

// Standard output. Records are passed on as they are written, flushed by flush().
OutputFile console_output();
// Records appended to `text`, in exactly the form a file gets them; flush()
// or close_output() passes on what the buffer still holds.
OutputFile memory_output(std::string& text);
// Writes the buffered data out; IoError on failure. Console: flushes stdout.
void flush(OutputFile& out);
// Writes out, flushes and closes the file; IoError on failure (the temporary
// is then removed). The data stays under the temporary name.
void close_output(OutputFile& out);

// Appends bytes as they are (the record writers add the line ends).
void write_bytes(OutputFile& out, std::string_view bytes);
// Appends one record: its characters, then CR LF.
void write_record(OutputFile& out, std::string_view record);

}  // namespace textio
