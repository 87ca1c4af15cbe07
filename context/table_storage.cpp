#include "context/table_storage.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace context {
namespace {

#if defined(__linux__)
constexpr std::size_t mapping_unit = std::size_t{2} << 20;

// Tables from 2 MiB up are mapped on their own, in whole 2 MiB units (so that
// one can take another's memory whole: move_table_storage); smaller ones come
// from the heap.
bool mapped(std::size_t bytes) {
  return bytes >= mapping_unit;
}

std::size_t whole_units(std::size_t bytes) {
  return (bytes + mapping_unit - 1) & ~(mapping_unit - 1);
}
#endif

}  // namespace

void* allocate_table_storage(std::size_t bytes) {
#if defined(__linux__)
  if (mapped(bytes)) {
    const std::size_t size = whole_units(bytes);
    if (size < bytes)
      throw std::bad_alloc();
    void* area = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
      throw std::bad_alloc();
    return area;
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
    munmap(data, whole_units(bytes));
    return;
  }
#endif
  std::free(data);
}

bool move_table_storage([[maybe_unused]] void* from, [[maybe_unused]] std::size_t from_bytes,
                        [[maybe_unused]] void* to, [[maybe_unused]] std::size_t to_bytes) noexcept {
#if defined(__linux__)
  if (from == nullptr || to == nullptr || !mapped(from_bytes) || !mapped(to_bytes) ||
      whole_units(to_bytes) > whole_units(from_bytes))
    return false;
  // Both span whole units: the pages move as they are.
  const std::size_t size = whole_units(to_bytes);
  return mremap(from, size, size, MREMAP_MAYMOVE | MREMAP_FIXED, to) != MAP_FAILED;
#else
  return false;
#endif
}

}  // namespace context
