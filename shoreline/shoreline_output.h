// shoreline/shoreline_output.h: the shoreline grid set-up and the outputs, as
// the run sequence calls them.
#pragma once

#include "context/run_context.h"
#include "context/status.h"

namespace shoreline {

// Parameter pass over the existing *.dun file, the echo and the cell widths.
context::Status read_shoreline_parameters(context::RunContext& ctx);
// The map file (map output).
void write_map_file(context::RunContext& ctx);
// Gauge placement, the rewritten *.dun file and the wave files (shoreline output).
void write_shoreline_outputs(context::RunContext& ctx);

}  // namespace shoreline
