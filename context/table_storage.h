// context/table_storage.h: where the run's tables keep their elements.
//
// A table is created zeroed and then written from start to end. The storage
// comes zeroed from the system, so creating a table writes nothing: its pages
// are first touched by the step that fills them, and a table that stays zero
// is never touched at all. Large tables are mapped on their own, on small
// pages. Large pages were tried, and dropped: where the system lends memory
// out in large blocks (a virtual machine that gives free memory back to its
// host), a fresh large page can cost far more than the small faults it saves
// (a year of 200 stations at steady state took 0.7 to 2.6 s of system time
// with the advice, 0.5 s without).
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include <cstddef>
#include <new>

namespace context {

// Zeroed storage for `bytes`; std::bad_alloc when there is none.
void* allocate_table_storage(std::size_t bytes);
// Gives back what allocate_table_storage gave for the same `bytes`.
void release_table_storage(void* data, std::size_t bytes) noexcept;
// Puts the memory that holds the first `to_bytes` of `from` (storage of
// `from_bytes`) in place of the storage `to` (of `to_bytes`), without copying
// it: `to` then holds those bytes, and `from` is only to be given back. False,
// nothing done, where the system cannot (tables below 2 MiB, systems
// without the call): the caller then copies.
bool move_table_storage(void* from, std::size_t from_bytes, void* to,
                        std::size_t to_bytes) noexcept;

// The allocator of the tables: zeroed storage, and elements created without a
// value left as the storage holds them (zero) rather than written.
template <class T>
struct TableAllocator {
  using value_type = T;

  TableAllocator() = default;
  template <class U>
  TableAllocator(const TableAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T))
      throw std::bad_alloc();
    return static_cast<T*>(allocate_table_storage(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { release_table_storage(p, n * sizeof(T)); }

  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... A>
  void construct(U* p, A&&... args) {
    ::new (static_cast<void*>(p)) U(static_cast<A&&>(args)...);
  }

  template <class U>
  bool operator==(const TableAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace context
