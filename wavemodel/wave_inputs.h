// wavemodel/wave_inputs.h: the input phase of the wave model's files, in its
// fixed order: counts first, then (after the time axis is started) the values.
#pragma once

#include "context/run_context.h"
#include "context/status.h"

namespace wavemodel {

// Station count, station-output record count, frequency tables, output event
// count and, in steady-state mode, the frequency file; prints the counts.
context::Status read_wave_model_counts(context::RunContext& ctx);
// Depth grid, station output values, station cell check, simulation file.
context::Status read_wave_model_values(context::RunContext& ctx);

}  // namespace wavemodel
