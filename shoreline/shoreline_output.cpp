#include "shoreline/shoreline_output.h"

#include <string>
#include <vector>

#include "context/console.h"
#include "context/table_memory.h"
#include "shoreline/cell_widths.h"
#include "shoreline/control_rewrite.h"
#include "shoreline/gauge_placement.h"
#include "shoreline/map_file.h"
#include "shoreline/shoreline_parameters.h"
#include "shoreline/wave_files.h"
#include "textio/free_writer.h"

namespace shoreline {
namespace {

constexpr const char* terminating_line = "       Terminating program!!";

}  // namespace

context::Status read_shoreline_parameters(context::RunContext& ctx) {
  auto& params = ctx.params;
  auto& console = ctx.console;
  const std::string dun_name(textio::trimmed(params.dun_file));
  if (textio::file_exists(dun_name)) {
    auto f = textio::open_records(dun_name);
    textio::write_free(console, "Reading Dunelot parameters from *.dun file: ", dun_name);
    read_dun_parameters(f, params);
    textio::close_records(f);
  } else {
    const std::string quote(1, context::quote_mark);
    textio::write_free(console, "WARNING: Dunelot Control file specified as: " + quote, dun_name,
                       quote + " not found!");
    textio::write_free(console, "Verify that the following parameters read from the ",
                       "*.ctrl file are correct: ");
  }

  // Without a cell width every station would land in no cell (or all in the
  // first), whether or not the *.dun file was there.
  if (params.shore_dx == 0.0) {
    textio::write_free(console, "ERROR: No Input Dunelot Grid Cell Width Supplied!");
    textio::write_free(console, terminating_line);
    return context::Status::error_stop;
  }
  print_shoreline_echo(console, params);
  if (params.shore_nx < 1) {
    textio::write_free(console, "ERROR: No Input Dunelot Grid Cell Count (NX) Supplied!");
    textio::write_free(console, terminating_line);
    return context::Status::error_stop;
  }

  // A width and a far edge per cell.
  if (context::reserve_table_memory(ctx, context::bytes_of(ctx.shore_cell_width, params.shore_nx) +
                                             context::elements_bytes<double>(params.shore_nx)) ==
      context::Status::error_stop)
    return context::Status::error_stop;
  context::create_list(ctx.shore_cell_width, params.shore_nx, static_cast<float>(params.shore_dx));
  if (params.shore_dx == -1.0)
    return read_cell_widths(ctx);
  return context::Status::ok;
}

void write_map_file(context::RunContext& ctx) {
  const std::string name(textio::trimmed(ctx.params.map_file));
  auto out = textio::create_output(ctx.outputs, name);
  textio::write_free(ctx.console, context::writing(ctx.outputs, "output *.map file: "), name);
  write_map_records(out, ctx);
  textio::complete_output(ctx.outputs, out);
}

void write_shoreline_outputs(context::RunContext& ctx) {
  const auto& params = ctx.params;
  place_gauges(params.shore_x0, params.shore_y0, params.shore_azimuth, ctx.shore_cell_width,
               ctx.station_x, ctx.station_y, ctx.station_cell);
  if (!context::report_requested(params))  // the run report draws the cells
    std::vector<float>().swap(ctx.shore_cell_width);
  write_shoreline_control_file(ctx);
  write_wave_files(ctx);
}

}  // namespace shoreline
