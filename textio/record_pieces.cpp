#include "textio/record_pieces.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#include "textio/parallel_parts.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#ifndef _WIN32
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace textio {
namespace {

constexpr std::int64_t smallest_spacing = std::int64_t{1} << 20;

// The size of the file behind f (of the text, in memory); -1 when it is no
// regular file that can be read at an offset.
std::int64_t piece_file_size(const RecordFile& f) {
  if (f.file == nullptr)
    return static_cast<std::int64_t>(f.end);
#ifdef _WIN32
  return -1;
#else
  struct stat st;
  if (::fstat(::fileno(f.file), &st) != 0 || !S_ISREG(st.st_mode))
    return -1;
  return static_cast<std::int64_t>(st.st_size);
#endif
}

// The first multiple of spacing above `offset`.
std::int64_t next_multiple(std::int64_t offset, std::int64_t spacing) {
  return (offset / spacing + 1) * spacing;
}

// Records counted the plain way, with marks when `spacing` is above 0.
RecordCount count_in_order(RecordFile& f, std::int64_t spacing) {
  RecordCount c;
  if (spacing > 0)
    c.marks.push_back({0, 0});
  std::int64_t mark_at = spacing > 0 ? spacing : -1;
  std::int64_t marked = -1;  // a mark noted once its record is there
  while (next_record(f)) {
    if (marked >= 0) {
      c.marks.push_back({marked, c.records});
      marked = -1;
    }
    ++c.records;
    if (mark_at > 0 && record_offset(f) >= mark_at) {
      marked = record_offset(f);
      mark_at = next_multiple(marked, spacing);
    }
  }
  rewind(f);
  return c;
}

#ifndef _WIN32
// What one thread found in its bytes [from, to) of the file.
struct Tally {
  std::int64_t line_ends = 0;
  std::int64_t first_end = -1, last_end = -1;  // where its first and last '\n' lie
  std::int64_t longest_inside = 0;             // the longest record between two of them
  std::vector<RecordMark> marks;               // index: its own line ends up to there
  bool failed = false;
};

ssize_t read_at(int descriptor, char* to, std::size_t bytes, std::int64_t offset) {
  for (;;) {
    const ssize_t got = ::pread(descriptor, to, bytes, static_cast<off_t>(offset));
    if (got >= 0 || errno != EINTR)
      return got;
  }
}

// One line end, at `end` in the file.
void tally_line_end(std::int64_t end, std::int64_t spacing, std::int64_t& mark_at, Tally& t) {
  if (t.last_end >= 0) {
    t.longest_inside = std::max(t.longest_inside, end - t.last_end - 1);
  } else {
    t.first_end = end;
  }
  t.last_end = end;
  ++t.line_ends;
  if (end + 1 >= mark_at) {
    t.marks.push_back({end + 1, t.line_ends});
    mark_at = next_multiple(end + 1, spacing);
  }
}

// The line ends of 64 bytes as the bits of a word (bit k: byte k).
std::uint64_t line_end_bits(const char* p) {
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  std::uint64_t bits = 0;
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    bits |= static_cast<std::uint64_t>(
                static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))))
            << (16 * k);
  }
  return bits;
#else
  std::uint64_t bits = 0;
  for (int k = 0; k < 64; ++k) bits |= static_cast<std::uint64_t>(p[k] == '\n') << k;
  return bits;
#endif
}

// The line ends among `bytes` bytes at `data`, which lie at `at` in the file,
// 64 bytes at a time: a word of them with no mark due is taken whole (the
// records inside it are shorter than 64 bytes, far from too long).
void tally_block(const char* data, std::size_t bytes, std::int64_t at, std::int64_t spacing,
                 std::int64_t& mark_at, Tally& t) {
  std::size_t k = 0;
  for (; k + 64 <= bytes; k += 64) {
    std::uint64_t bits = line_end_bits(data + k);
    if (bits == 0)
      continue;
    const std::int64_t base = at + static_cast<std::int64_t>(k);
    const std::int64_t last = base + 63 - std::countl_zero(bits);
    if (last + 1 < mark_at) {
      tally_line_end(base + std::countr_zero(bits), spacing, mark_at, t);
      t.line_ends += std::popcount(bits) - 1;
      t.last_end = last;
      continue;
    }
    for (; bits != 0; bits &= bits - 1)
      tally_line_end(base + std::countr_zero(bits), spacing, mark_at, t);
  }
  for (; k < bytes; ++k) {
    if (data[k] == '\n')
      tally_line_end(at + static_cast<std::int64_t>(k), spacing, mark_at, t);
  }
}

// The bytes [from, to) of the file tallied a block at a time, mapped where
// the system maps the file (read otherwise).
void tally_bytes(int descriptor, std::int64_t from, std::int64_t to, std::int64_t spacing,
                 std::size_t block_bytes, Tally& t) {
  std::int64_t mark_at = next_multiple(from, spacing);
  static const std::int64_t page = ::sysconf(_SC_PAGESIZE);
  std::vector<char> block;
  for (std::int64_t at = from; at < to;) {
    const std::int64_t start = at - at % page;
    const auto length = static_cast<std::size_t>(
        std::min<std::int64_t>(at - start + static_cast<std::int64_t>(block_bytes), to - start));
    if (block.empty()) {
      int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
      flags |= MAP_POPULATE;
#endif
      void* area = ::mmap(nullptr, length, PROT_READ, flags, descriptor, static_cast<off_t>(start));
      if (area != MAP_FAILED) {
        const auto skip = static_cast<std::size_t>(at - start);
        tally_block(static_cast<const char*>(area) + skip, length - skip, at, spacing, mark_at, t);
        ::munmap(area, length);
        at = start + static_cast<std::int64_t>(length);
        continue;
      }
      block.resize(block_bytes);
    }
    const auto want = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(block.size()), to - at));
    const ssize_t got = read_at(descriptor, block.data(), want, at);
    if (got <= 0) {
      t.failed = true;  // an error, or the file is shorter than it was
      return;
    }
    tally_block(block.data(), static_cast<std::size_t>(got), at, spacing, mark_at, t);
    at += got;
  }
}

// The records of a file of `size` bytes counted on `threads` threads, each
// over its own stretch of bytes; nullopt where the plain count is to be made
// (a read failed, or a record is so long that the plain count refuses it and
// must say where).
std::optional<RecordCount> count_in_pieces(const RecordFile& f, std::int64_t size, unsigned threads,
                                           std::int64_t spacing, std::size_t block_bytes) {
  const int descriptor = ::fileno(f.file);
  const CutShortReport cut_short(f);
  const std::size_t parts = threads;
  std::vector<Tally> tallies(parts);
  run_parts(parts, threads, [&](std::size_t k) {
    const std::int64_t from =
        size * static_cast<std::int64_t>(k) / static_cast<std::int64_t>(parts);
    const std::int64_t to =
        size * static_cast<std::int64_t>(k + 1) / static_cast<std::int64_t>(parts);
    tally_bytes(descriptor, from, to, spacing, block_bytes, tallies[k]);
  });
  RecordCount c;
  c.marks.push_back({0, 0});
  std::int64_t before = 0, last_end = -1, longest = 0;
  for (const Tally& t : tallies) {
    if (t.failed)
      return std::nullopt;
    if (t.first_end >= 0) {
      longest = std::max({longest, t.longest_inside, t.first_end - last_end - 1});
      last_end = t.last_end;
    }
    for (const RecordMark& m : t.marks) {
      if (m.offset < size)
        c.marks.push_back({m.offset, before + m.index});
    }
    before += t.line_ends;
  }
  longest = std::max(longest, size - last_end - 1);
  if (static_cast<std::uint64_t>(longest) >= longest_record / 2)
    return std::nullopt;
  c.records = before + (last_end == size - 1 ? 0 : 1);
  return c;
}
#endif

#ifndef _WIN32
// The report of a mapped file cut short, made before any page is read: the
// signal handler only writes it out.
char cut_short_text[1024];
std::size_t cut_short_length = 0;
struct sigaction earlier_bus_action;

void report_cut_short(int) {
  [[maybe_unused]] const ssize_t put = ::write(2, cut_short_text, cut_short_length);
  ::_exit(2);
}
#endif

}  // namespace

CutShortReport::CutShortReport([[maybe_unused]] const RecordFile& f) {
#ifndef _WIN32
  if (f.file == nullptr)
    return;  // a text in memory is not mapped
  const std::string text =
      "quilbar: " + f.name +
      ": cannot read: the file was cut short, or the disk failed, while it was read\n";
  cut_short_length = std::min(text.size(), sizeof cut_short_text);
  std::memcpy(cut_short_text, text.data(), cut_short_length);
  struct sigaction action {};
  action.sa_handler = report_cut_short;
  sigemptyset(&action.sa_mask);
  installed_ = ::sigaction(SIGBUS, &action, &earlier_bus_action) == 0;
#endif
}

CutShortReport::~CutShortReport() {
#ifndef _WIN32
  if (installed_)
    ::sigaction(SIGBUS, &earlier_bus_action, nullptr);
#endif
}

bool pieces_readable(const RecordFile& f) {
  return piece_file_size(f) >= 0;
}

RecordCount count_records(RecordFile& f, unsigned threads, std::int64_t spacing,
                          std::size_t block_bytes) {
  block_bytes = std::max<std::size_t>(block_bytes, 1);
  const std::int64_t size = threads > 1 ? piece_file_size(f) : -1;
  if (spacing <= 0) {
    spacing = std::max(smallest_spacing, size / (8 * static_cast<std::int64_t>(threads)));
    if (size < 2 * spacing)
      return count_in_order(f, 0);
  }
  if (size < 0)
    return count_in_order(f, 0);
#ifndef _WIN32
  if (f.file != nullptr && f.record_number == 0 && size > 0) {
    if (auto c = count_in_pieces(f, size, threads, spacing, block_bytes)) {
      rewind(f);
      return std::move(*c);
    }
  }
#endif
  return count_in_order(f, spacing);
}

PieceReader::PieceReader(const RecordFile& f, RecordMark from, std::size_t block_bytes,
                         std::int64_t end_hint)
    : data_offset_(from.offset),
      block_bytes_(std::max<std::size_t>(block_bytes, 2)),
      end_hint_(end_hint) {
  if (f.file == nullptr) {
    data_ = f.buffer.data();
    data_offset_ = 0;
    end_ = f.end;
    begin_ = static_cast<std::size_t>(std::clamp<std::int64_t>(from.offset, 0, f.end));
    input_done_ = true;
    failed_ = from.offset < 0 || from.offset > static_cast<std::int64_t>(f.end) ||
              (begin_ > 0 && data_[begin_ - 1] != '\n');
    return;
  }
#ifdef _WIN32
  failed_ = true;
#else
  descriptor_ = ::fileno(f.file);
  file_size_ = piece_file_size(f);
  if (from.offset > 0) {
    char before = 0;
    failed_ = read_at(descriptor_, &before, 1, from.offset - 1) != 1 || before != '\n';
  }
  failed_ = failed_ || file_size_ < from.offset;
#endif
}

PieceReader::~PieceReader() {
#ifndef _WIN32
  if (mapping_ != nullptr)
    ::munmap(mapping_, mapped_bytes_);
#endif
}

// The next stretch of the file mapped, from the page of the first unread
// byte: a block, or up to the end hint when that is nearer, or twice what is
// unread when a record runs on past it. False when the system maps nothing.
bool PieceReader::map_more() {
#ifdef _WIN32
  return false;
#else
  const std::int64_t next = data_offset_ + static_cast<std::int64_t>(begin_);
  const std::int64_t held = data_offset_ + static_cast<std::int64_t>(end_);
  static const std::int64_t page = ::sysconf(_SC_PAGESIZE);
  const std::int64_t start = next - next % page;
  std::int64_t length = static_cast<std::int64_t>(block_bytes_);
  if (end_hint_ > next)
    length = std::min(length, end_hint_ - start);
  length = std::max(length, 2 * (held - start));
  length = std::min(length, file_size_ - start);
  if (length <= held - start || static_cast<std::uint64_t>(length) >= longest_record)
    return false;
  int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
  flags |= MAP_POPULATE;  // the pages are read through at once
#endif
  void* area = ::mmap(nullptr, static_cast<std::size_t>(length), PROT_READ, flags, descriptor_,
                      static_cast<off_t>(start));
  if (area == MAP_FAILED)
    return false;
  if (mapping_ != nullptr)
    ::munmap(mapping_, mapped_bytes_);
  mapping_ = area;
  mapped_bytes_ = static_cast<std::size_t>(length);
  data_ = static_cast<const char*>(area);
  data_offset_ = start;
  begin_ = static_cast<std::size_t>(next - start);
  end_ = mapped_bytes_;
  return true;
#endif
}

// The next block read into the buffer behind what is unread.
bool PieceReader::read_more() {
#ifdef _WIN32
  return false;
#else
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    data_offset_ += static_cast<std::int64_t>(begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.empty())
    buffer_.resize(block_bytes_);
  if (end_ == buffer_.size()) {
    if (buffer_.size() >= longest_record) {
      failed_ = true;
      return false;
    }
    buffer_.resize(buffer_.size() * 2);
  }
  const ssize_t got = read_at(descriptor_, buffer_.data() + end_, buffer_.size() - end_,
                              data_offset_ + static_cast<std::int64_t>(end_));
  data_ = buffer_.data();
  if (got <= 0) {
    failed_ = got < 0;
    input_done_ = true;
    return false;
  }
  end_ += static_cast<std::size_t>(got);
  return true;
#endif
}

bool PieceReader::refill() {
  if (input_done_ || failed_)
    return false;
  if (data_offset_ + static_cast<std::int64_t>(end_) >= file_size_) {
    input_done_ = true;
    return false;
  }
  // Mapped from the start where the system maps the file; read otherwise.
  if (buffer_.empty() && map_more())
    return true;
  if (mapping_ != nullptr) {
    failed_ = true;  // mapped so far, and now not
    return false;
  }
  return read_more();
}

std::optional<std::string_view> PieceReader::next() {
  if (failed_)
    return std::nullopt;
  std::size_t searched = begin_;
  for (;;) {
    if (searched < end_) {
      const void* lf = std::memchr(data_ + searched, '\n', end_ - searched);
      if (lf != nullptr) {
        const char* start = data_ + begin_;
        std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
        begin_ += length + 1;
        if (length > 0 && start[length - 1] == '\r')
          --length;
        return std::string_view(start, length);
      }
    }
    const std::size_t scanned = end_ - begin_;
    if (!refill()) {
      if (failed_ || begin_ == end_)
        return std::nullopt;
      // The last record has no line end in the file: it is given one here.
      last_record_.assign(data_ + begin_, end_ - begin_);
      last_record_.push_back('\n');
      begin_ = end_;
      std::size_t length = last_record_.size() - 1;
      if (last_record_[length - 1] == '\r')
        --length;
      return std::string_view(last_record_.data(), length);
    }
    searched = begin_ + scanned;
  }
}

}  // namespace textio
