#include "shoreline/map_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <tuple>

#include "textio/blocks_ahead.h"
#include "textio/free_writer.h"
#include "textio/number_text.h"
#include "textio/output_room.h"
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

// A step's four records: its label, then the height, period and direction.
// Built in place with one look for room, the bytes write_free makes of each
// (a blank, the label and the line end; each real's field and the line end).
constexpr std::size_t label_record_bytes = 1 + std::tuple_size_v<context::Label> + 2;
constexpr std::size_t real_record_bytes = textio::real32_field_width + 2;
constexpr std::size_t step_bytes = label_record_bytes + 3 * real_record_bytes;

void write_step(textio::OutputFile& out, const context::Label& label, float height, float period,
                float direction) {
  char* p = textio::record_room(out, step_bytes);
  if (p == nullptr) {
    textio::write_free(out, std::string_view(label.data(), label.size()));
    textio::write_free(out, height);
    textio::write_free(out, period);
    textio::write_free(out, direction);
    return;
  }
  p[0] = ' ';
  std::memcpy(p + 1, label.data(), label.size());
  p[label_record_bytes - 2] = '\r';
  p[label_record_bytes - 1] = '\n';
  char* field = p + label_record_bytes;
  for (const float value : {height, period, direction}) {
    textio::format_real32_field(value, field, out.real32_fields.get());
    field[textio::real32_field_width] = '\r';
    field[textio::real32_field_width + 1] = '\n';
    field += real_record_bytes;
  }
  textio::take_room(out, step_bytes);
}

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
  for (std::int32_t j = 0; j < ctx.output_event_count; ++j)
    write_step(out, ctx.step_label[j], height[j], period[j], direction[j]);
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
