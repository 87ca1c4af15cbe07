// context/console.h: the console lines that recur in every phase.
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include <string>
#include <string_view>

#include "textio/output_file.h"
#include "textio/output_set.h"

namespace context {

// " ****************************************************** " (56 characters).
inline constexpr const char* separator_line =
    " ****************************************************** ";

// An empty record, the separator line, an empty record: closes a block.
void print_closing_triple(textio::OutputFile& console);

// Q + name + Q around a name shown in a message, as one text.
inline constexpr char quote_mark = '"';

// The text of a record that announces an output: "Writing " + what, or in a
// check-only run "Would write " + what.
inline std::string writing(const textio::OutputSet& outputs, std::string_view what) {
  std::string text(outputs.check_only ? "Would write " : "Writing ");
  text.append(what);
  return text;
}

}  // namespace context
