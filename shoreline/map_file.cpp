#include "shoreline/map_file.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "textio/blocks_ahead.h"
#include "textio/free_writer.h"
#include "wavemodel/depth_grid.h"

namespace shoreline {
namespace {

constexpr const char* map_header[] = {
    "MAP VERSION 8",
    "BEGCOV",
    "COVFLDR \"Dunelot_Waves\"",
    "COVNAME \"Dunelot_Waves\"",
    "COVELEV 0.000000",
    "COVID 22188",
    "COVGUID 1681ee40-0b95-4fb6-9e9f-e297f2b8efc6",
    "COVATTS VISIBLE 1",
    "COVATTS ACTIVECOVERAGE Testing",
    "COVATTS PROPERTIES DUNELOT",
    "1",
};
constexpr const char* map_trailer[] = {"ENDCOV", "BEGTS", "LEND"};

void write_point(textio::OutputFile& out, const context::RunContext& ctx, std::int32_t p) {
  const std::int32_t number = p + 1;
  textio::write_free(out, "Point", number);
  textio::write_free(out, "XY", ctx.station_x[p], ctx.station_y[p], "0.0");
  textio::write_free(out, "ID", number);
  textio::write_free(out, "WAVEGAGE");
  textio::write_free(out, wavemodel::station_depth(ctx, p));
  textio::write_free(out, ctx.params.series_length_hours);
  const float* height = ctx.out_height.column(p);
  const float* period = ctx.out_period.column(p);
  const float* direction = ctx.out_direction.column(p);
  for (std::int32_t j = 0; j < ctx.output_event_count; ++j) {
    const auto& label = ctx.step_label[j];
    textio::write_free(out, std::string_view(label.data(), label.size()));
    textio::write_free(out, height[j]);
    textio::write_free(out, period[j]);
    textio::write_free(out, direction[j]);
  }
  textio::write_free(out, "0");
  textio::write_free(out, "END");
}

// About the length of a station's point: each step's label and three reals
// take some 76 bytes.
std::size_t point_bytes(const context::RunContext& ctx) {
  return static_cast<std::size_t>(std::max(ctx.output_event_count, 0)) * 80 + 256;
}

// A station's point as a text (formatted ahead on another thread).
void point_text(const context::RunContext& ctx, std::int32_t p, std::string& text) {
  // Room for every record at once: growing it would copy it again and again.
  text.reserve(point_bytes(ctx));
  textio::OutputFile memory = textio::memory_output(text);
  write_point(memory, ctx, p);
  textio::flush(memory);
}

}  // namespace

void write_map_records(textio::OutputFile& out, const context::RunContext& ctx) {
  for (const char* record : map_header) textio::write_free(out, record);
  // With more than one thread, the next stations' points are formatted ahead
  // in memory while this one is written: the same bytes in the same order.
  textio::BlocksAhead<context::RunContext> ahead(ctx, point_text, ctx.station_count,
                                                 ctx.thread_count, point_bytes(ctx));
  for (std::int32_t p = 0; p < ctx.station_count; ++p) {
    if (ahead.window() > 0)
      textio::write_bytes(out, ahead.take(p));
    else
      write_point(out, ctx, p);
  }
  for (const char* record : map_trailer) textio::write_free(out, record);
}

}  // namespace shoreline
