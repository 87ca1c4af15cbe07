#include "context/table_storage.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace context {
namespace {

#if defined(__linux__)
constexpr std::size_t large_page = std::size_t{2} << 20;

// Tables from one large page up are mapped on their own, on a start that is
// a whole number of large pages, so that one can take another's memory whole
// (move_table_storage); smaller ones come from the heap.
bool mapped(std::size_t bytes) {
  return bytes >= large_page;
}

std::size_t whole_large_pages(std::size_t bytes) {
  return (bytes + large_page - 1) & ~(large_page - 1);
}
#endif

}  // namespace

void* allocate_table_storage(std::size_t bytes) {
#if defined(__linux__)
  if (mapped(bytes)) {
    const std::size_t size = whole_large_pages(bytes);
    if (size < bytes || size + large_page < size)
      throw std::bad_alloc();
    // Mapped with a large page to spare, then cut to a start on a large page.
    void* area = mmap(nullptr, size + large_page, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
      throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + large_page - 1) & ~(std::uintptr_t{large_page} - 1);
    if (aligned > start)
      munmap(area, aligned - start);
    const std::uintptr_t tail = aligned + size;
    const std::uintptr_t end = start + size + large_page;
    if (end > tail)
      munmap(reinterpret_cast<void*>(tail), end - tail);
    return reinterpret_cast<void*>(aligned);
  }
#endif
  void* data = std::calloc(bytes > 0 ? bytes : 1, 1);
  if (data == nullptr)
    throw std::bad_alloc();
  return data;
}

void release_table_storage(void* data, [[maybe_unused]] std::size_t bytes) noexcept {
  if (data == nullptr)
    return;
#if defined(__linux__)
  if (mapped(bytes)) {
    munmap(data, whole_large_pages(bytes));
    return;
  }
#endif
  std::free(data);
}

bool move_table_storage([[maybe_unused]] void* from, [[maybe_unused]] std::size_t from_bytes,
                        [[maybe_unused]] void* to, [[maybe_unused]] std::size_t to_bytes) noexcept {
#if defined(__linux__)
  if (from == nullptr || to == nullptr || !mapped(from_bytes) || !mapped(to_bytes) ||
      whole_large_pages(to_bytes) > whole_large_pages(from_bytes))
    return false;
  // Both start on a large page and span whole ones: the pages move as they are.
  const std::size_t size = whole_large_pages(to_bytes);
  return mremap(from, size, size, MREMAP_MAYMOVE | MREMAP_FIXED, to) != MAP_FAILED;
#else
  return false;
#endif
}

}  // namespace context
