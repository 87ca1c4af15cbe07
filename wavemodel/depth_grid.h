// wavemodel/depth_grid.h: the wave model's depth file (*.dep): the grid's size,
// the depth of every cell and the cell widths along i and j.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "context/run_context.h"
#include "context/status.h"
#include "context/table.h"
#include "textio/output_file.h"
#include "textio/record_file.h"

namespace wavemodel {

// A spacing flag of this value lists the cell widths after the depths.
inline constexpr float listed_widths_flag = 999.0f;

struct DepthHeader {
  std::int32_t grid_ni = 0;
  std::int32_t grid_nj = 0;
  float grid_cell_size = 0.0f;
  float grid_spacing_flag = 0.0f;
};

struct DepthGrid {
  DepthHeader header;
  context::Table<float> depth_grid;  // (grid_ni, grid_nj), rows in file order
  std::vector<float> cell_widths_i, cell_widths_j;
  std::uint64_t table_bytes = 0;  // what the header's sizes take as tables
  bool read = false;              // false: the tables were too large to create
};

// The four header values, read free-format from the first 150 columns of the
// first record; the read stops at the first value it cannot take, and that
// value and the ones after it stay 0.
DepthHeader read_depth_header(std::string_view first_record);

// Reads the whole depth file from its first record; nullopt when the file has
// no record at all. The depth rows and listed widths are read in 13-column
// fields, five to a record, each row or width list starting on a new record;
// IoError when one runs past the end of the file or holds no number. Where
// the header's sizes would make tables of more than memory_limit bytes (0: no
// limit) nothing more is read or created: `read` is false. (A grid with no
// row holds no record, so its size is bounded by the file for one dimension only.)
std::optional<DepthGrid> read_depth_file(textio::RecordFile& dep_file,
                                         std::uint64_t memory_limit = 0);

// The depth at station p's wave-grid cell (p from 0): the file stores its rows
// from j = grid_nj down to 1.
float station_depth(const context::RunContext& ctx, std::int32_t p);

// The run's step: reads the depth file into the run's grid tables within the
// memory the run has left; error_stop, with its message, for a file with no
// record or a grid that would not fit in memory.
context::Status read_depth_grid(context::RunContext& ctx);

// The message for a depth file with no record, and error_stop.
context::Status report_empty_depth_file(textio::OutputFile& console,
                                        std::string_view dep_file_name);

}  // namespace wavemodel
