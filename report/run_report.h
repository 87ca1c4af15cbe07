// report/run_report.h: the run report (REP): after every other output of the
// run is written, the page and its two CSV files, written through the run's
// output set and put in place with the run's other outputs.
#pragma once

#include <string>
#include <vector>

#include "context/run_context.h"
#include "context/status.h"
#include "report/station_results.h"

namespace report {

// "<stem>_<suffix>.csv", the stem being the report's name without its last
// extension.
std::string companion_name(const std::string& report_name, const std::string& suffix);

// The report's files: the page, its station and cell tables, and for the
// Dunelot output the sand transport table, in the order they are written.
std::vector<std::string> report_file_names(const context::RunParameters& p);

// The run's output series as spans for the statistics, which may run on a
// thread of their own while the outputs are written.
SeriesSpans series_spans(const context::RunContext& ctx);

// Writes the three files, one console record each. error_stop, with its
// message, when a report file would take the name of another output of the
// run.
context::Status write_run_report(context::RunContext& ctx, std::vector<StationSeries> series);

}  // namespace report
