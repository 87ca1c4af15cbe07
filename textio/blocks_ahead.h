// textio/blocks_ahead.h: blocks of records formatted ahead on other threads
// and taken in order. A writer whose blocks (a station's records, say) do not
// depend on each other formats the next ones in memory while it writes the
// current one: the bytes are the same as when it formats each in turn, and
// files, console records and faults still come in order on the writer's own
// thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace textio {

// The memory the texts in flight may take together.
inline constexpr std::uint64_t blocks_ahead_budget = 64ull << 20;

template <class Source>
class BlocksAhead {
 public:
  // Formats block k of the source into `text` (empty, its room kept).
  using Format = void (*)(const Source&, std::int32_t, std::string& text);

  // Blocks 0 .. count - 1 for `threads` threads, each about `block_bytes`
  // long. Twice the threads are formatted ahead at most, so every core stays
  // busy while the writer waits for the oldest; none for one thread or one
  // block, nor where a few blocks would not fit in the budget (the run then
  // needs no more memory than on one thread).
  BlocksAhead(const Source& source, Format format, std::int32_t count, unsigned threads,
              std::uint64_t block_bytes)
      : source_(source), format_(format), count_(count) {
    std::uint64_t window = threads > 1 && count > 1 ? 2ull * threads : 0;
    const std::uint64_t fit = blocks_ahead_budget / (block_bytes > 0 ? block_bytes : 1);
    if (fit < window + 1)
      window = fit >= 3 ? fit - 1 : 0;
    window_ = static_cast<std::int32_t>(window);
    if (window_ == 0)
      return;
    // One text per block in flight, reused round: memory the system has
    // handed over once is not handed over (and cleared) again for every block.
    slots_.resize(static_cast<std::size_t>(window_) + 1);
    // The same threads format every block: none is started per block.
    workers_.reserve(threads);
    for (unsigned t = 0; t < threads; ++t) {
      try {
        workers_.emplace_back([this] { format_blocks(); });
      } catch (const std::system_error&) {
        break;  // no more threads to be had: fewer do the same blocks
      }
    }
    if (workers_.empty())
      window_ = 0;
  }
  ~BlocksAhead() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    more_wanted_.notify_all();
    for (std::thread& w : workers_) w.join();
  }
  BlocksAhead(const BlocksAhead&) = delete;
  BlocksAhead& operator=(const BlocksAhead&) = delete;

  // Blocks formatted ahead at most; 0: none, the writer formats each itself.
  std::int32_t window() const { return window_; }

  // Block `current` (taken in order, from 0), waited for; the blocks up to
  // `window` past it are formatted meanwhile. The text stays valid until the
  // next call. A fault of its formatting is thrown here.
  std::string_view take(std::int32_t current) {
    std::unique_lock<std::mutex> lock(mutex_);
    wanted_ = current;
    more_wanted_.notify_all();
    Slot& slot = slots_[slot_of(current)];
    block_ready_.wait(lock, [&] { return slot.block == current; });
    if (slot.fault)
      std::rethrow_exception(slot.fault);
    return slot.text;
  }

 private:
  struct Slot {
    std::string text;
    std::int32_t block = -1;  // the block the text holds, once formatted
    std::exception_ptr fault;
  };

  std::size_t slot_of(std::int32_t k) const { return static_cast<std::size_t>(k) % slots_.size(); }

  // A worker: the next block not yet started, as long as it is no further
  // than `window` past the one the writer wants (its slot is free by then).
  void format_blocks() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      more_wanted_.wait(
          lock, [&] { return stopping_ || (next_ < count_ && next_ <= wanted_ + window_); });
      if (stopping_)
        return;
      const std::int32_t k = next_++;
      Slot& slot = slots_[slot_of(k)];
      lock.unlock();
      std::exception_ptr fault;
      try {
        slot.text.clear();
        format_(source_, k, slot.text);
      } catch (...) {
        fault = std::current_exception();
      }
      lock.lock();
      slot.fault = fault;
      slot.block = k;
      block_ready_.notify_all();
    }
  }

  const Source& source_;
  Format format_;
  std::int32_t count_;
  std::int32_t window_ = 0;
  std::vector<Slot> slots_;
  std::mutex mutex_;
  std::condition_variable more_wanted_, block_ready_;
  std::int32_t next_ = 0;    // the next block to start
  std::int32_t wanted_ = 0;  // the block the writer waits for or takes next
  bool stopping_ = false;
  std::vector<std::thread> workers_;  // joined by the destructor
};

}  // namespace textio
