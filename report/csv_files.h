// report/csv_files.h: the run report's two tables for spreadsheets and GIS
// tools: one row per station, and one per shoreline cell with its axis segment
// as WKT (Dunelot output; only the header for the map output).
#pragma once

#include <vector>

#include "context/run_context.h"
#include "report/station_results.h"
#include "textio/output_file.h"

namespace report {

void write_station_table(textio::OutputFile& out, const context::RunContext& ctx,
                         const std::vector<StationResult>& stations);
void write_cell_table(textio::OutputFile& out, const context::RunContext& ctx,
                      const std::vector<StationResult>& stations);

}  // namespace report
