// shoreline/cell_widths.h: the individual shoreline cell widths of a cell-width
// file (*.shdx): four header records, then the widths in groups of ten.
#pragma once

#include <span>

#include "context/run_context.h"
#include "context/status.h"
#include "textio/record_file.h"

namespace shoreline {

// Passes over the four header values of f, then reads `widths` in groups of
// ten, each group starting on a fresh record. A group with a bad value keeps
// what it held and the next group is read; the end of the file stops the read,
// and the cells not reached keep what they held.
void read_width_groups(textio::RecordFile& f, std::span<float> widths);

// Fills ctx.shore_cell_width from the file named by ctx.params.shdx_file.
// error_stop when the file does not exist or leaves a width of 0 or less.
context::Status read_cell_widths(context::RunContext& ctx);

}  // namespace shoreline
