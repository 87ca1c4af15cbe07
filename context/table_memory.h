// context/table_memory.h: the memory the run's tables take, checked against the
// machine's as each table is about to be created, so that counts no machine
// can hold end the run with a message rather than with the system killing it,
// and every input error the run reaches before such a table is told first.
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include <cstdint>
#include <limits>

#include "context/run_context.h"
#include "context/status.h"

namespace context {

// The bytes of `count` x `times` elements of T (0 for a count below 1), held
// below the 64-bit range.
template <class T>
std::uint64_t elements_bytes(std::int64_t count, std::int64_t times = 1) {
  if (count <= 0 || times <= 0)
    return 0;
  const auto n = static_cast<std::uint64_t>(count);
  const auto m = static_cast<std::uint64_t>(times);
  constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max() / 2;
  if (n > most / sizeof(T) / m)
    return most;
  return n * m * sizeof(T);
}

// The same for the elements of a run's table or list, by its own type.
template <class Container>
std::uint64_t bytes_of(const Container&, std::int64_t count, std::int64_t times = 1) {
  return elements_bytes<typename Container::value_type>(count, times);
}

// The machine's physical memory in bytes (0 when it cannot be told).
std::uint64_t physical_memory_bytes();

// What the tables may take: three quarters of the physical memory.
std::uint64_t usable_memory_bytes();

// What is left for tables after those the run holds (0: no limit known).
std::uint64_t table_memory_left(const RunContext& ctx);

// error_stop, with its message, when the run's tables and `bytes` more would
// not fit in memory; otherwise counts the `bytes` as the run's.
Status reserve_table_memory(RunContext& ctx, std::uint64_t bytes);

}  // namespace context
