// report/csv_files.h: the run report's two tables for spreadsheets and GIS
// tools: one row per station, and one per shoreline cell with its axis segment
// as WKT (Dunelot output; only the header for the map output).
#pragma once

#include <vector>

#include "report/report_model.h"
#include "textio/output_file.h"

namespace report {

void write_station_table(textio::OutputFile& out, const ReportModel& model);
void write_cell_table(textio::OutputFile& out, const ReportModel& model);
// The sand transport of each station (Dunelot output only).
void write_transport_table(textio::OutputFile& out, const ReportModel& model);

}  // namespace report
