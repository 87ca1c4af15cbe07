// tests/wavemodel_support.h: what the wave-model reader tests share: console
// text captured from a writer, and station-list texts built by column.
#pragma once

#include <string>
#include <utility>

#include "tests/support.h"
#include "textio/output_file.h"
#include "textio/output_set.h"

namespace wavemodel_testing {

// A record holding `text` from column `column` (1 = first) on, blanks before it.
inline std::string at_column(std::size_t column, const std::string& text) {
  return std::string(column - 1, ' ') + text;
}

}  // namespace wavemodel_testing
