// context/console.h: the console lines that recur in every phase.
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include "textio/output_file.h"

namespace context {

// " ****************************************************** " (56 characters).
inline constexpr const char* separator_line =
    " ****************************************************** ";

// An empty record, the separator line, an empty record: closes a block.
void print_closing_triple(textio::OutputFile& console);

// Q + name + Q around a name shown in a message, as one text.
inline constexpr char quote_mark = '"';

}  // namespace context
