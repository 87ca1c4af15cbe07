// shoreline/shoreline_output.h: the shoreline grid set-up and the outputs, as
// the run sequence calls them.
#pragma once

#include "run/run_context.h"
#include "run/status.h"

namespace shoreline {

// Parameter pass over the existing *.dun file, the echo and the cell widths.
run::Status read_shoreline_parameters(run::RunContext& ctx);
// The map file (map output).
void write_map_file(run::RunContext& ctx);
// Gauge placement, the rewritten *.dun file and the wave files (shoreline output).
void write_shoreline_outputs(run::RunContext& ctx);

}  // namespace shoreline
