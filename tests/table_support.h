// tests/table_support.h: a table's elements as a plain vector, to compare.
#pragma once

#include <vector>

#include "context/table.h"

namespace testing_support {

template <class T>
std::vector<T> elements(const context::Table<T>& t) {
  return std::vector<T>(t.values.begin(), t.values.end());
}

}  // namespace testing_support
