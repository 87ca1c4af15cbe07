// textio/record_pieces.h: one record file read in pieces on several threads.
// A first pass counts the records and notes marks through the file (where a
// record starts, and how many come before it); the pieces between marks can
// then be read at the same time, each by its own reader, and every record
// keeps the number a reading from the start gives it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textio/record_file.h"

namespace textio {

struct RecordMark {
  std::int64_t offset = 0;  // the byte where a record starts
  std::int64_t index = 0;   // the records before it
};

struct RecordCount {
  std::int64_t records = 0;
  // Ascending, the first at {0, 0}; none where the file cannot be read in
  // pieces or is too small to be worth it.
  std::vector<RecordMark> marks;
};

// Whether f can be read in pieces: a text in memory, or a regular file where
// the system reads at an offset without moving a shared position.
bool pieces_readable(const RecordFile& f);

// Counts the records from the first on, as next_record sees them, and leaves f
// at its first record. Where f can be read in pieces and `threads` is above 1,
// a mark is noted at the first record starting at or after every `spacing`
// bytes (0: about eight pieces a thread, none below 1 MiB), and a file is
// counted in pieces on `threads` threads, `block_bytes` at a time (mapped into
// memory where the system allows it). IoError as next_record gives it.
RecordCount count_records(RecordFile& f, unsigned threads, std::int64_t spacing = 0,
                          std::size_t block_bytes = std::size_t{8} << 20);

// Reads the records of f from a mark on, in order, so that several readers of
// one file can run at once: a file is mapped into memory `block_bytes` at a
// time where the system allows it (read into a buffer of the reader's own
// otherwise), a text in memory read in place. `end_hint`, when known, is
// where the reader will stop (the next mark): nothing past it is mapped
// unless a record runs on. A record comes without its line end; the byte
// after it can be read and is '\n' or '\r'.
class PieceReader {
 public:
  PieceReader(const RecordFile& f, RecordMark from, std::size_t block_bytes = std::size_t{4} << 20,
              std::int64_t end_hint = -1);
  ~PieceReader();
  PieceReader(const PieceReader&) = delete;
  PieceReader& operator=(const PieceReader&) = delete;

  // The next record, or nullopt at the end of the file or when a read failed
  // (failed() then tells) or a record is too long.
  std::optional<std::string_view> next();
  // Whether the mark was no record start (the byte before it is no '\n'), a
  // read failed or a record was too long: what was read is not to be trusted.
  bool failed() const { return failed_; }
  // Where the next record starts.
  std::int64_t offset() const { return data_offset_ + static_cast<std::int64_t>(begin_); }

 private:
  bool refill();
  bool map_more();
  bool read_more();

  int descriptor_ = -1;  // -1: a text in memory, read in place
  const char* data_ = nullptr;
  std::int64_t data_offset_ = 0;  // where in the file data_[0] lies
  std::size_t begin_ = 0, end_ = 0;
  std::size_t block_bytes_;
  std::int64_t end_hint_;
  std::int64_t file_size_ = 0;
  void* mapping_ = nullptr;  // the part of the file mapped, when mapped
  std::size_t mapped_bytes_ = 0;
  std::vector<char> buffer_;  // the part read, when not mapped
  std::string last_record_;   // a last record without a line end, given one
  bool input_done_ = false;
  bool failed_ = false;
};

// While in scope, a file of f mapped into memory that another program cuts
// short (or whose disk fails) ends the run with the one report a failed read
// gives ("quilbar: NAME: cannot read: the file was cut short, or the disk
// failed, while it was read" on standard error, status 2) rather than a
// crash: the system signals a read of a mapped page past the file's new end,
// or one it cannot read. One at a time, on the thread that starts the readers.
class CutShortReport {
 public:
  explicit CutShortReport(const RecordFile& f);
  ~CutShortReport();
  CutShortReport(const CutShortReport&) = delete;
  CutShortReport& operator=(const CutShortReport&) = delete;

 private:
  bool installed_ = false;
};

}  // namespace textio
