// The cell-width file (*.shdx): the width groups for a few cell counts, and
// the whole step from a file on disk with its check of the widths.
#include <cstdint>
#include <vector>

#include "context/run_context.h"
#include "fuzz/fuzz_support.h"
#include "shoreline/cell_widths.h"
#include "textio/io_error.h"
#include "textio/record_file.h"

namespace {
constexpr std::size_t cell_counts[] = {1, 10, 23, 64};
constexpr const char* shdx_name = "fuzz.shdx";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::input_text(data, size);
  auto f = textio::records_from_text(shdx_name, text);
  std::vector<float> widths;
  for (const std::size_t cells : cell_counts) {
    widths.assign(cells, -1.0f);
    textio::rewind(f);
    try {
      shoreline::read_width_groups(f, widths);
    } catch (const textio::IoError&) {
    }
    fuzz::require(widths.size() == cells, "a width list resized by the reader");
  }

  const std::string path = fuzz::scratch_path(shdx_name);
  fuzz::write_file(path, text);
  context::RunContext ctx;
  ctx.console = fuzz::scratch_output();
  ctx.params.shdx_file = context::fixed_text(path, context::file_name_length);
  context::create_list(ctx.shore_cell_width, 23, -1.0f);
  try {
    shoreline::read_cell_widths(ctx);
  } catch (const textio::IoError&) {
  }
  return 0;
}
