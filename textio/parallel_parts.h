// textio/parallel_parts.h: independent parts of one piece of work shared out
// over a few threads, this one among them.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <future>
#include <system_error>
#include <vector>

namespace textio {

// Runs work(k) for every part k in [0, parts) on up to `threads` threads, the
// calling one included; each thread takes the next part not yet taken, so the
// parts are started in order. Returns when every part has ended; an exception
// of a part is thrown again here (the one this thread met first, else another
// thread's).
template <class Work>
void run_parts(std::size_t parts, unsigned threads, const Work& work) {
  std::atomic<std::size_t> next{0};
  const auto take_parts = [&next, parts, &work] {
    for (std::size_t k = next.fetch_add(1); k < parts; k = next.fetch_add(1)) work(k);
  };
  const std::size_t helpers = std::min<std::size_t>(threads > 0 ? threads - 1 : 0, parts);
  std::vector<std::future<void>> others;
  others.reserve(helpers);
  std::exception_ptr fault;
  try {
    for (std::size_t t = 1; t < helpers + 1 && t < parts; ++t) {
      try {
        others.push_back(std::async(std::launch::async, take_parts));
      } catch (const std::system_error&) {
        break;  // no thread to be had: fewer threads do the same parts
      }
    }
    take_parts();
  } catch (...) {
    fault = std::current_exception();
    next.store(parts);  // the others take no new part
  }
  for (auto& other : others) {
    try {
      other.get();
    } catch (...) {
      if (!fault)
        fault = std::current_exception();
    }
  }
  if (fault)
    std::rethrow_exception(fault);
}

// Runs work(first, last) over `count` items (first .. last - 1) cut into one
// share of consecutive items a thread, the shares taken as run_parts takes
// its parts.
template <class Work>
void run_shares(std::int64_t count, unsigned threads, const Work& work) {
  const auto shares = static_cast<std::int64_t>(std::max(threads, 1u));
  run_parts(static_cast<std::size_t>(shares), threads, [&](std::size_t k) {
    const auto share = static_cast<std::int64_t>(k);
    work(count * share / shares, count * (share + 1) / shares);
  });
}

}  // namespace textio
