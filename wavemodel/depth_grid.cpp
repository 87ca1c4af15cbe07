#include "wavemodel/depth_grid.h"

#include <span>
#include <string>
#include <utility>

#include "context/console.h"
#include "context/table_memory.h"
#include "textio/fixed_fields.h"
#include "textio/free_format.h"
#include "textio/free_writer.h"
#include "textio/record_capacity.h"

namespace wavemodel {
namespace {

constexpr std::size_t header_columns = 150;

// Records of a list of n values, five to a record.
std::uint64_t list_records(std::int32_t n) {
  return n > 0 ? (static_cast<std::uint64_t>(n) + 4) / 5 : 0;
}

// Reads `values` in 13-column fields; an empty list takes no record.
void read_field_list(textio::RecordFile& f, std::span<float> values) {
  if (!values.empty())
    textio::read_fixed_reals(f, values);
}

}  // namespace

DepthHeader read_depth_header(std::string_view first_record) {
  const std::string header = textio::read_fixed(first_record, textio::A150, header_columns);
  auto text = textio::records_from_text("depth header", header);
  DepthHeader h;
  textio::read_free(text, h.grid_ni, h.grid_nj, h.grid_cell_size, h.grid_spacing_flag);
  return h;
}

std::optional<DepthGrid> read_depth_file(textio::RecordFile& dep_file, std::uint64_t memory_limit) {
  const auto first = textio::next_record(dep_file);
  if (!first)
    return std::nullopt;

  DepthGrid g;
  g.header = read_depth_header(*first);
  const DepthHeader& h = g.header;
  // A header that announces more rows than the file holds would otherwise
  // create tables of any size before the reads run out.
  std::uint64_t records =
      h.grid_nj > 0 ? list_records(h.grid_ni) * static_cast<std::uint64_t>(h.grid_nj) : 0;
  if (h.grid_spacing_flag == listed_widths_flag)
    records += list_records(h.grid_ni) + list_records(h.grid_nj);
  textio::require_records(dep_file, records, "the depth grid");
  const auto count = [](std::int32_t n) { return n > 0 ? static_cast<std::uint64_t>(n) : 0; };
  g.table_bytes =
      sizeof(float) * (count(h.grid_ni) * count(h.grid_nj) + count(h.grid_ni) + count(h.grid_nj));
  if (memory_limit != 0 && g.table_bytes > memory_limit)
    return g;
  g.read = true;
  context::create_table(g.depth_grid, h.grid_ni, h.grid_nj, 0.0f);
  context::create_list(g.cell_widths_i, h.grid_ni, 0.0f);
  context::create_list(g.cell_widths_j, h.grid_nj, 0.0f);

  for (std::int32_t k = 0; k < g.depth_grid.columns; ++k) {
    read_field_list(dep_file,
                    {g.depth_grid.column(k), static_cast<std::size_t>(g.depth_grid.rows)});
  }
  if (h.grid_spacing_flag == listed_widths_flag) {
    read_field_list(dep_file, g.cell_widths_i);
    read_field_list(dep_file, g.cell_widths_j);
  } else {
    // The flag never becomes a width: uniform widths are the cell size.
    g.cell_widths_i.assign(g.cell_widths_i.size(), h.grid_cell_size);
    g.cell_widths_j.assign(g.cell_widths_j.size(), h.grid_cell_size);
  }
  return g;
}

context::Status report_empty_depth_file(textio::OutputFile& console,
                                        std::string_view dep_file_name) {
  const std::string lead =
      std::string("ERROR: Input *.dep file specified as: ") + context::quote_mark;
  const std::string tail = context::quote_mark + std::string(" is empty!");
  textio::write_free(console, lead, textio::trimmed(dep_file_name), tail);
  return context::Status::error_stop;
}

context::Status read_depth_grid(context::RunContext& ctx) {
  auto grid = read_depth_file(*ctx.dep, context::table_memory_left(ctx));
  if (!grid)
    return report_empty_depth_file(ctx.console, ctx.params.dep_file);
  // A grid too large to be read is refused here; one that was read fits.
  if (context::reserve_table_memory(ctx, grid->table_bytes) == context::Status::error_stop)
    return context::Status::error_stop;
  ctx.grid_ni = grid->header.grid_ni;
  ctx.grid_nj = grid->header.grid_nj;
  ctx.grid_cell_size = grid->header.grid_cell_size;
  ctx.grid_spacing_flag = grid->header.grid_spacing_flag;
  ctx.depth_grid = std::move(grid->depth_grid);
  ctx.cell_widths_i = std::move(grid->cell_widths_i);
  ctx.cell_widths_j = std::move(grid->cell_widths_j);
  return context::Status::ok;
}

float station_depth(const context::RunContext& ctx, std::int32_t p) {
  const std::int32_t i = ctx.station_i[p] - 1;
  const std::int32_t k = ctx.grid_nj - ctx.station_j[p];
  return ctx.depth_grid(i, k);
}

}  // namespace wavemodel
