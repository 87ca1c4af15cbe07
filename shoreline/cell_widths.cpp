#include "shoreline/cell_widths.h"

#include <algorithm>
#include <string>

#include "context/console.h"
#include "textio/free_format.h"
#include "textio/free_writer.h"

namespace shoreline {
namespace {
constexpr std::size_t group_size = 10;
constexpr std::size_t header_records = 4;
}  // namespace

void read_width_groups(textio::RecordFile& f, std::span<float> widths) {
  // The header values are taken and dropped; what their reads meet does not matter.
  std::string header(context::file_name_length, ' ');
  for (std::size_t r = 0; r < header_records; ++r) {
    textio::read_free(f, textio::text_item(header, context::file_name_length));
  }
  for (std::size_t first = 0; first < widths.size(); first += group_size) {
    const std::size_t count = std::min(group_size, widths.size() - first);
    if (textio::read_free(f, widths.subspan(first, count)) == textio::ReadStatus::end_of_file) {
      return;
    }
  }
}

context::Status read_cell_widths(context::RunContext& ctx) {
  const std::string name(textio::trimmed(ctx.params.shdx_file));
  const std::string quote(1, context::quote_mark);
  if (!textio::file_exists(name)) {
    textio::write_free(ctx.console, "ERROR: Input *.shdx file specified as: " + quote, name,
                       quote + " not found!");
    return context::Status::error_stop;
  }
  textio::write_free(ctx.console, "Loading Dunelot DX *.shdx file: ", name);
  auto f = textio::open_records(name);
  read_width_groups(f, ctx.shore_cell_width);
  textio::close_records(f);

  // A cell the file did not reach, or whose group failed, still holds the
  // fill -1.0; the placement would then measure with a negative width.
  const bool all_valid = std::all_of(ctx.shore_cell_width.begin(), ctx.shore_cell_width.end(),
                                     [](float w) { return w > 0.0f; });
  if (!all_valid) {
    textio::write_free(ctx.console, "ERROR: Input *.shdx file specified as: " + quote, name,
                       quote + " holds too few valid cell widths!");
    return context::Status::error_stop;
  }
  return context::Status::ok;
}

}  // namespace shoreline
