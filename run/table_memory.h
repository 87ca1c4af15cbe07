// run/table_memory.h: the memory the run's tables will take, checked against
// the machine's before they are created, so that counts no machine can hold
// end the run with a message rather than with the system killing it.
#pragma once

#include <cstdint>

#include "run/run_context.h"
#include "run/status.h"

namespace run {

// Bytes of the tables sized by the counts: by station, by input event and station, by
// output step (and station), by input event and period.
std::uint64_t table_bytes(std::int64_t station_count, std::int64_t input_event_count,
                          std::int64_t output_event_count, std::int64_t period_count);

// The machine's physical memory in bytes (0 when it cannot be told).
std::uint64_t physical_memory_bytes();

// What the tables may take: three quarters of the physical memory.
std::uint64_t usable_memory_bytes();

// error_stop, with its message, when tables of `bytes` would not fit in memory.
Status check_memory(RunContext& ctx, std::uint64_t bytes);
// The same for the tables sized by the run's counts.
Status check_table_memory(RunContext& ctx);

}  // namespace run
