// The depth file (*.dep): the header record, and the whole grid with its depth
// rows and listed cell widths.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/depth_grid.h"

namespace {
// The reader refuses a header whose rows the file cannot hold, but the width
// lists are still sized from a header whose other dimension is 0 (no record
// needed): such inputs ask for any amount of memory and are left out here.
constexpr std::int64_t max_cells = std::int64_t{1} << 20;

bool grid_within_limit(const wavemodel::DepthHeader& h) {
  if (h.grid_ni > 0 && h.grid_nj > 0)
    return true;
  return h.grid_ni <= max_cells && h.grid_nj <= max_cells;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = textio::records_from_text("fuzz.dep", fuzz::input_text(data, size));
  const auto first = textio::next_record(f);
  if (!first) {
    textio::rewind(f);
    fuzz::require(!wavemodel::read_depth_file(f), "a depth grid from an empty file");
    return 0;
  }
  const wavemodel::DepthHeader header = wavemodel::read_depth_header(*first);
  if (!grid_within_limit(header))
    return -1;
  textio::rewind(f);
  try {
    const auto grid = wavemodel::read_depth_file(f);
    fuzz::require(grid.has_value(), "no depth grid from a file with records");
    const std::size_t ni = header.grid_ni > 0 ? static_cast<std::size_t>(header.grid_ni) : 0;
    const std::size_t nj = header.grid_nj > 0 ? static_cast<std::size_t>(header.grid_nj) : 0;
    fuzz::require(grid->depth_grid.values.size() == ni * nj && grid->cell_widths_i.size() == ni &&
                      grid->cell_widths_j.size() == nj,
                  "depth tables of the wrong size");
  } catch (const textio::IoError&) {
    // A row or width list past the end of the file, or a field that is no number.
  }
  return 0;
}
