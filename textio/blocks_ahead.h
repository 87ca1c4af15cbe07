// textio/blocks_ahead.h: blocks of records formatted ahead on other threads
// and taken in order. A writer whose blocks (a station's records, say) do not
// depend on each other formats the next ones in memory while it writes the
// current one: the bytes are the same as when it formats each in turn, and
// files, console records and faults still come in order on the writer's own
// thread.
#pragma once

#include <cstdint>
#include <deque>
#include <future>
#include <string>
#include <string_view>
#include <vector>

namespace textio {

template <class Source>
struct BlocksAhead {
  // Formats block k of the source into `text` (empty, its room kept).
  using Format = void (*)(const Source&, std::int32_t, std::string& text);
  const Source* source = nullptr;
  Format format = nullptr;
  std::int32_t count = 0;   // blocks 0 .. count - 1
  std::int32_t window = 0;  // blocks formatted ahead at most; 0: none (one thread)
  std::int32_t next = 0;    // the next block to start
  // One text per block in flight, reused round: memory the system has handed
  // over once is not handed over (and cleared) again for every block.
  std::vector<std::string> texts;
  // Started, in block order; declared last, so that on the way out (a fault
  // part-way) every block still in flight is waited for before its text goes.
  std::deque<std::future<void>> pending;
};

// The memory the texts in flight may take together.
inline constexpr std::uint64_t blocks_ahead_budget = 64ull << 20;

// Blocks ahead for `threads` threads, each block about `block_bytes` long:
// none for one thread or one block, nor where a few blocks would not fit in
// the budget (the run then needs no more memory than on one thread).
template <class Source>
BlocksAhead<Source> blocks_ahead(const Source& source, typename BlocksAhead<Source>::Format format,
                                 std::int32_t count, unsigned threads, std::uint64_t block_bytes) {
  BlocksAhead<Source> a;
  a.source = &source;
  a.format = format;
  a.count = count;
  // Twice the threads in flight keeps every core busy while the writer waits
  // for the oldest.
  std::uint64_t window = threads > 1 && count > 1 ? 2ull * threads : 0;
  const std::uint64_t fit = blocks_ahead_budget / (block_bytes > 0 ? block_bytes : 1);
  if (fit < window + 1)
    window = fit >= 3 ? fit - 1 : 0;
  a.window = static_cast<std::int32_t>(window);
  a.texts.resize(static_cast<std::size_t>(a.window) + 1);
  return a;
}

template <class Source>
void format_block(BlocksAhead<Source>* a, std::int32_t k) {
  std::string& text = a->texts[static_cast<std::size_t>(k) % a->texts.size()];
  text.clear();
  a->format(*a->source, k, text);
}

// Starts the blocks up to `window` past `current`; then the formatted block
// `current`, waited for. The text stays valid until the next call.
template <class Source>
std::string_view take_block(BlocksAhead<Source>& a, std::int32_t current) {
  while (a.next < a.count && a.next <= current + a.window) {
    a.pending.push_back(std::async(std::launch::async, format_block<Source>, &a, a.next));
    ++a.next;
  }
  a.pending.front().get();
  a.pending.pop_front();
  return a.texts[static_cast<std::size_t>(current) % a.texts.size()];
}

}  // namespace textio
