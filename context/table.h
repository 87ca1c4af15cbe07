// context/table.h: a two-dimensional table of plain values, first index fastest,
// indexed from 0 in code (row i, column j).
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "context/table_storage.h"

namespace context {

template <class T>
struct Table {
  using value_type = T;
  std::int32_t rows = 0;     // first index: input event, output step, grid column
  std::int32_t columns = 0;  // second index: station, period, grid row
  std::vector<T, TableAllocator<T>> values;

  T& operator()(std::int32_t i, std::int32_t j) {
    return values[static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * rows];
  }
  const T& operator()(std::int32_t i, std::int32_t j) const {
    return values[static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * rows];
  }
  T* column(std::int32_t j) { return values.data() + static_cast<std::size_t>(j) * rows; }
  const T* column(std::int32_t j) const {
    return values.data() + static_cast<std::size_t>(j) * rows;
  }
};

// Creates the table with every element `fill`; a size below 1 gives an empty
// dimension. A zero fill writes nothing (the storage comes zeroed).
template <class T>
void create_table(Table<T>& t, std::int32_t rows, std::int32_t columns, T fill = T{}) {
  t.rows = rows > 0 ? rows : 0;
  t.columns = columns > 0 ? columns : 0;
  const std::size_t count = static_cast<std::size_t>(t.rows) * static_cast<std::size_t>(t.columns);
  std::vector<T, TableAllocator<T>> fresh;
  fresh.resize(count);
  const T zero{};
  if (std::memcmp(&fill, &zero, sizeof(T)) != 0)
    std::fill(fresh.begin(), fresh.end(), fill);
  t.values.swap(fresh);
}

// A one-dimensional table of `count` elements `fill` (none for a count below 1).
template <class T>
void create_list(std::vector<T>& v, std::int32_t count, T fill = T{}) {
  v.assign(count > 0 ? static_cast<std::size_t>(count) : 0, fill);
}

}  // namespace context
