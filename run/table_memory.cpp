#include "run/table_memory.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "textio/free_writer.h"

namespace run {
namespace {

std::uint64_t positive(std::int64_t n) {
  return n > 0 ? static_cast<std::uint64_t>(n) : 0;
}

std::int32_t mebibytes(std::uint64_t bytes) {
  const std::uint64_t m = bytes / (1024 * 1024);
  return m > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(m);
}

}  // namespace

std::uint64_t table_bytes(std::int64_t station_count, std::int64_t input_event_count,
                          std::int64_t output_event_count, std::int64_t period_count) {
  const std::uint64_t stations = positive(station_count);
  const std::uint64_t events = positive(input_event_count);
  const std::uint64_t steps = positive(output_event_count);
  const std::uint64_t periods = positive(period_count);
  // Heights, periods (4 bytes), the wave, world, shore and selected directions (8).
  const std::uint64_t per_event_station = 4 + 4 + 8 * 4;
  // Stamp, label and the four index tables.
  const std::uint64_t per_step = 14 + 22 + 4 * 4;
  // The three output series.
  const std::uint64_t per_step_station = 3 * 4;
  // Percentages, fractions, repetitions.
  const std::uint64_t per_event_period = 3 * 4;
  // Cells (4-byte i, j, shoreline cell) and positions (four 8-byte reals).
  const std::uint64_t per_station = 3 * 4 + 4 * 8;
  return per_station * stations + per_event_station * events * stations + per_step * steps +
         per_step_station * steps * stations + per_event_period * events * periods;
}

std::uint64_t physical_memory_bytes() {
#ifdef _WIN32
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status))
    return 0;
  return status.ullTotalPhys;
#else
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0)
    return 0;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
#endif
}

Status check_table_memory(RunContext& ctx) {
  return check_memory(ctx, table_bytes(ctx.station_count, ctx.input_event_count,
                                       ctx.output_event_count, ctx.params.period_count));
}

std::uint64_t usable_memory_bytes() {
  // The rest is for the system, the file buffers and the program itself.
  return physical_memory_bytes() / 4 * 3;
}

Status check_memory(RunContext& ctx, std::uint64_t need) {
  const std::uint64_t have = usable_memory_bytes();
  if (have == 0 || need <= have)
    return Status::ok;
  textio::write_free(ctx.console,
                     "ERROR: The run's tables need more memory than this machine can give!");
  textio::write_free(ctx.console, "       Memory needed (MiB):    ", mebibytes(need));
  textio::write_free(ctx.console, "       Memory available (MiB): ", mebibytes(have));
  return Status::error_stop;
}

}  // namespace run
