// tests/wavemodel_support.h: what the wave-model reader tests share: console
// text captured from a writer, and station-list texts built by column.
#pragma once

#include <string>
#include <utility>

#include "tests/run_support.h"
#include "textio/output_file.h"
#include "textio/output_set.h"

namespace wavemodel_testing {

// The records a writer produces, captured through an output file.
template <class Write>
std::string captured_text(Write&& write) {
  testing_support::ScratchDir dir;
  textio::OutputSet set;
  textio::OutputFile out = textio::create_output(set, dir.file("console.txt"));
  std::forward<Write>(write)(out);
  textio::complete_output(set, out);
  textio::commit_outputs(set);
  return dir.read("console.txt");
}

// A record holding `text` from column `column` (1 = first) on, blanks before it.
inline std::string at_column(std::size_t column, const std::string& text) {
  return std::string(column - 1, ' ') + text;
}

}  // namespace wavemodel_testing
