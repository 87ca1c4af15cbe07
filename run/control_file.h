// run/control_file.h: the keyword control file quilbar.ctrl, the echo of the
// parameters, and the check and opening of the wave-model input files.
#pragma once

#include "context/run_context.h"
#include "context/status.h"

namespace run {

inline constexpr const char* control_file_name = "quilbar.ctrl";

// Fills ctx.params from quilbar.ctrl in the working directory. IoError when the
// file cannot be opened; error_stop for a record that names no keyword.
context::Status load_control_file(context::RunContext& ctx);
void print_parameter_echo(context::RunContext& ctx);
// Looks up each wave-model input, prints its "Loading" line and opens it;
// error_stop at the first that does not exist.
context::Status open_wave_inputs(context::RunContext& ctx);
// Closes the five wave-model inputs (a file never opened is passed over).
void close_wave_inputs(context::RunContext& ctx);

}  // namespace run
