// run/output_names.h: every file a run reads and every file it will write,
// known before the first output is made, and the check that no output takes
// the place of an input.
#pragma once

#include <string>
#include <vector>

#include "context/run_context.h"
#include "context/status.h"

namespace run {

// The inputs the run reads: the control file, the wave model's files, the
// frequency file in steady-state mode, and for the Dunelot output the *.dun
// (when there is one) and the cell-width file (when it is read).
std::vector<std::string> input_names(const context::RunContext& ctx);

// The outputs the run will write, in the order it writes them: the map file,
// or the *.dun and the wave files; then the report's page and CSV files.
std::vector<std::string> output_names(const context::RunContext& ctx);

// The error stop "Output file would replace an input file" for the first
// output that is one of the inputs; ok when none is.
context::Status refuse_outputs_over_inputs(context::RunContext& ctx);

}  // namespace run
