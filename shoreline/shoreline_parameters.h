// shoreline/shoreline_parameters.h: the parameter pass over an existing
// shoreline-model control file (*.dun) and the echo of the shoreline grid.
#pragma once

#include "context/run_parameters.h"
#include "textio/output_file.h"
#include "textio/record_file.h"

namespace shoreline {

// Reads the shoreline grid parameters from the records of f. A record that
// starts in column 1 with X0:, Y0:, AZI, NX:, DX: or DXF is read free-format as
// a token and a value into shore_x0, shore_y0, shore_azimuth, shore_nx,
// shore_dx or shdx_file; records starting with "!" or "*" and all others are
// passed over. A value that cannot be read leaves its parameter as it was; a
// later record for the same parameter wins.
void read_dun_parameters(textio::RecordFile& f, context::RunParameters& params);

// The five grid values, one line each, then the closing triple.
void print_shoreline_echo(textio::OutputFile& console, const context::RunParameters& params);

}  // namespace shoreline
