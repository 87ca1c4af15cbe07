// shoreline/control_rewrite.h: the rewritten shoreline-model control file: a
// copy of the existing *.dun file with its wave-file records replaced, or a new
// file with only the wave records when there is none.
#pragma once

#include <string>
#include <string_view>

#include "context/run_context.h"
#include "textio/output_file.h"
#include "textio/record_file.h"

namespace shoreline {

// The name of the rewritten copy: the name without trailing blanks, its last
// path component's last "." and all after it dropped, then "_new.dun"
// (C:\work\beach.dun gives C:\work\beach_new.dun, beach gives beach_new.dun).
std::string rewritten_dun_name(std::string_view dun_file);

// " NUMWAVES:" and the station count.
void write_numwaves_record(textio::OutputFile& out, const context::RunContext& ctx);
// One " WAVEID:" record per station: cell, depth, step count, wave file name.
void write_waveid_records(textio::OutputFile& out, const context::RunContext& ctx);
// " AZIMUTH:" and the shoreline azimuth as it stands.
void write_azimuth_record(textio::OutputFile& out, const context::RunContext& ctx);

// Copies every record of in to out, each blank-padded to 255 characters (a
// longer one whole), except that records starting with NUMWAVES:, WAVEID: or
// AZIMUTH: are replaced by the current wave records.
void copy_dun_records(textio::RecordFile& in, textio::OutputFile& out,
                      const context::RunContext& ctx);

// Writes the rewritten copy of ctx.params.dun_file, or, when it does not
// exist, a new file with only the wave records; ctx.params.dun_waves_file then
// names the file written.
void write_shoreline_control_file(context::RunContext& ctx);

}  // namespace shoreline
