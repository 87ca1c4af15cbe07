#include "context/table_memory.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "textio/free_writer.h"

namespace context {
namespace {

std::int32_t mebibytes(std::uint64_t bytes) {
  const std::uint64_t m = bytes / (1024 * 1024);
  return m > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(m);
}

}  // namespace

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

std::uint64_t usable_memory_bytes() {
  // The rest is for the system, the file buffers and the program itself.
  return physical_memory_bytes() / 4 * 3;
}

std::uint64_t table_memory_left(const RunContext& ctx) {
  const std::uint64_t have = usable_memory_bytes();
  if (have == 0)
    return 0;
  return have > ctx.table_bytes_reserved ? have - ctx.table_bytes_reserved : 1;
}

Status reserve_table_memory(RunContext& ctx, std::uint64_t bytes) {
  const std::uint64_t need = ctx.table_bytes_reserved + bytes;
  const std::uint64_t have = usable_memory_bytes();
  if (have != 0 && need > have) {
    textio::write_free(ctx.console,
                       "ERROR: The run's tables need more memory than this machine can give!");
    textio::write_free(ctx.console, "       Memory needed (MiB):    ", mebibytes(need));
    textio::write_free(ctx.console, "       Memory available (MiB): ", mebibytes(have));
    return Status::error_stop;
  }
  ctx.table_bytes_reserved = need;
  return Status::ok;
}

}  // namespace context
