// shoreline/map_file.h: the map file of the TGM front end: one coverage with a
// wave-gauge point per station, each carrying the station's wave time series.
#pragma once

#include "context/run_context.h"
#include "textio/output_file.h"

namespace shoreline {

// Writes the whole record sequence: header, one point block per station (with
// its series, step j showing row j of the output series), trailer.
void write_map_records(textio::OutputFile& out, const context::RunContext& ctx);

}  // namespace shoreline
