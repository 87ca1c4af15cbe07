#include "shoreline/control_rewrite.h"

#include <algorithm>
#include <cstdint>

#include "context/console.h"
#include "shoreline/wave_files.h"
#include "textio/free_writer.h"
#include "wavemodel/depth_grid.h"

namespace shoreline {
namespace {

constexpr std::string_view new_name_suffix = "_new.dun";
constexpr std::size_t dun_record_length = 255;
constexpr const char* writing_dun_line = "wave file header info to output *.dun file: ";

}  // namespace

std::string rewritten_dun_name(std::string_view dun_file) {
  // The name is taken as it stands: slashes, commas or blanks inside it belong
  // to it, and a "." in a directory name is not the extension.
  std::string name(textio::trimmed(dun_file));
  const std::size_t separator = name.find_last_of("/\\");
  const std::size_t component = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot >= component)
    name.erase(dot);
  name.append(new_name_suffix);
  return name;
}

void write_numwaves_record(textio::OutputFile& out, const context::RunContext& ctx) {
  textio::write_free(out, "NUMWAVES:", ctx.station_count);
}

void write_waveid_records(textio::OutputFile& out, const context::RunContext& ctx) {
  for (std::int32_t p = 0; p < ctx.station_count; ++p) {
    textio::write_free(out, "WAVEID:", ctx.station_cell[p], wavemodel::station_depth(ctx, p),
                       ctx.output_event_count, wave_file_name(p + 1));
  }
}

void write_azimuth_record(textio::OutputFile& out, const context::RunContext& ctx) {
  textio::write_free(out, "AZIMUTH:", ctx.params.shore_azimuth);
}

void copy_dun_records(textio::RecordFile& in, textio::OutputFile& out,
                      const context::RunContext& ctx) {
  std::string padded;
  padded.reserve(dun_record_length);
  while (const auto record = textio::next_record(in)) {
    if (record->starts_with("NUMWAVES:")) {
      write_numwaves_record(out, ctx);
    } else if (record->starts_with("WAVEID:")) {
      write_waveid_records(out, ctx);
    } else if (record->starts_with("AZIMUTH:")) {
      write_azimuth_record(out, ctx);
    } else if (record->size() >= dun_record_length) {
      // Longer records are kept whole rather than cut to 255 characters.
      textio::write_record(out, *record);
    } else {
      padded.assign(*record);
      padded.resize(dun_record_length, ' ');
      textio::write_record(out, padded);
    }
  }
}

void write_shoreline_control_file(context::RunContext& ctx) {
  auto& params = ctx.params;
  const std::string dun_name(textio::trimmed(params.dun_file));
  if (textio::file_exists(dun_name)) {
    auto in = textio::open_records(dun_name);
    textio::write_free(ctx.console, context::writing(ctx.outputs, writing_dun_line), dun_name);
    const std::string new_name = rewritten_dun_name(params.dun_file);
    params.dun_waves_file =
        context::fixed_text(new_name, std::max(context::file_name_length, new_name.size()));
    auto out = textio::create_output(ctx.outputs, new_name);
    textio::write_free(ctx.console, context::writing(ctx.outputs, writing_dun_line), new_name);
    copy_dun_records(in, out, ctx);
    textio::close_records(in);
    textio::complete_output(ctx.outputs, out);
    return;
  }

  const std::string quote(1, context::quote_mark);
  textio::write_free(ctx.console, "WARNING: Input *.dun file specified as: " + quote, dun_name,
                     quote + " not found!");
  textio::write_free(ctx.console,
                     context::writing(ctx.outputs, "new *.dun file with only wave information."));
  context::print_closing_triple(ctx.console);
  const std::string new_name(textio::trimmed(params.dun_waves_file));
  auto out = textio::create_output(ctx.outputs, new_name);
  textio::write_free(ctx.console, context::writing(ctx.outputs, writing_dun_line), new_name);
  write_numwaves_record(out, ctx);
  write_waveid_records(out, ctx);
  textio::complete_output(ctx.outputs, out);
}

}  // namespace shoreline
