// shoreline/wave_files.h: one wave time-series file per station for the
// shoreline model: date, time of day, height, period and direction per step.
#pragma once

#include <cstdint>
#include <string>

#include "context/run_context.h"
#include "textio/output_file.h"

namespace shoreline {

// "OutputStationKRV_wave" + the station number (from 1) in at least three
// digits, zero-padded, and as many as it needs + ".wave".
std::string wave_file_name(std::int32_t station);

// The records of station p (from 0): one per output step j, showing row j of
// the output series.
void write_wave_records(textio::OutputFile& out, const context::RunContext& ctx, std::int32_t p);
// The same records appended to a text (formatted ahead on another thread).
void wave_records_text(const context::RunContext& ctx, std::int32_t p, std::string& text);

// Every station's file in turn, each announced once it is created and
// complete before the next one is opened.
void write_wave_files(context::RunContext& ctx);

}  // namespace shoreline
