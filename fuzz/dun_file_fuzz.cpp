// The existing shoreline-model control file (*.dun): the parameter pass, its
// echo, and the copy with the wave records replaced.
#include <cstdint>

#include "context/run_context.h"
#include "context/run_parameters.h"
#include "fuzz/fuzz_support.h"
#include "shoreline/control_rewrite.h"
#include "shoreline/shoreline_parameters.h"
#include "textio/io_error.h"
#include "textio/record_file.h"

namespace {

// Two stations on a grid of one cell, enough for the wave records of the copy.
context::RunContext small_run() {
  context::RunContext ctx;
  ctx.station_count = 2;
  ctx.output_event_count = 3;
  ctx.grid_ni = 1;
  ctx.grid_nj = 1;
  context::create_table(ctx.depth_grid, 1, 1, 4.5f);
  ctx.station_i = {1, 1};
  ctx.station_j = {1, 1};
  ctx.station_cell = {1, 0};
  return ctx;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = textio::records_from_text("fuzz.dun", fuzz::input_text(data, size));
  context::RunContext ctx = small_run();
  try {
    shoreline::read_dun_parameters(f, ctx.params);
    fuzz::require(ctx.params.shdx_file.size() == context::file_name_length,
                  "a cell-width file name of the wrong length");
    auto out = fuzz::scratch_output();
    shoreline::print_shoreline_echo(out, ctx.params);
    textio::rewind(f);
    shoreline::copy_dun_records(f, out, ctx);
  } catch (const textio::IoError&) {
  }
  return 0;
}
