#include "shoreline/wave_files.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "context/console.h"
#include "textio/blocks_ahead.h"
#include "textio/fixed_fields.h"
#include "textio/free_writer.h"
#include "textio/number_text.h"
#include "textio/output_room.h"

namespace shoreline {
namespace {
constexpr std::string_view name_prefix = "OutputStationKRV_wave";
constexpr std::string_view name_suffix = ".wave";
constexpr std::size_t min_station_digits = 3;
}  // namespace

std::string wave_file_name(std::int32_t station) {
  // Three digits would give every station from 1000 on the same name, and each
  // of their files would replace the one before.
  std::size_t digits = 1;
  for (std::int32_t rest = station / 10; rest > 0; rest /= 10) ++digits;
  if (digits < min_station_digits)
    digits = min_station_digits;

  std::string name(name_prefix);
  name.append(digits, ' ');
  textio::write_fixed(name.data() + name_prefix.size(),
                      textio::IntField{digits, min_station_digits}, station);
  name.append(name_suffix);
  return name;
}

namespace {
// A step's record: a blank, the date, three blanks, the hour and minute, then
// the height, period and direction fields and the line end; built in place
// with one look for room, the bytes write_free makes of the same items.
constexpr std::size_t step_bytes = 1 + 8 + 3 + 4 + 3 * textio::real32_field_width + 2;

void write_step(textio::OutputFile& out, const context::Stamp& stamp, float height, float period,
                float direction) {
  char* p = textio::record_room(out, step_bytes);
  if (p == nullptr) {
    textio::write_free(out, std::string_view(stamp.data(), 8), "   ",
                       std::string_view(stamp.data() + 8, 4), height, period, direction);
    return;
  }
  p[0] = ' ';
  std::memcpy(p + 1, stamp.data(), 8);
  std::memcpy(p + 9, "   ", 3);
  std::memcpy(p + 12, stamp.data() + 8, 4);
  char* field = p + 16;
  for (const float value : {height, period, direction}) {
    textio::format_real32_field(value, field, out.real32_fields.get());
    field += textio::real32_field_width;
  }
  field[0] = '\r';
  field[1] = '\n';
  textio::take_room(out, step_bytes);
}
}  // namespace

void write_wave_records(textio::OutputFile& out, const context::RunContext& ctx, std::int32_t p) {
  const float* height = ctx.out_height.column(p);
  const float* period = ctx.out_period.column(p);
  const float* direction = ctx.out_direction.column(p);
  for (std::int32_t j = 0; j < ctx.output_event_count; ++j)
    write_step(out, ctx.step_stamp[j], height[j], period[j], direction[j]);
}

namespace {
// About the length of a station's wave file: 63 bytes a step.
std::size_t wave_file_bytes(const context::RunContext& ctx) {
  return static_cast<std::size_t>(std::max(ctx.output_event_count, 0)) * 64 + 256;
}
}  // namespace

void wave_records_text(const context::RunContext& ctx, std::int32_t p, std::string& text) {
  // Room for every record at once: growing it would copy it again and again.
  text.reserve(wave_file_bytes(ctx));
  textio::OutputFile memory = textio::memory_output(text);
  write_wave_records(memory, ctx, p);
  textio::flush(memory);
}

void write_wave_files(context::RunContext& ctx) {
  // With more than one thread, the files of the next stations are formatted
  // ahead in memory while this one is written; files are still made, shown
  // and written in station order, and hold the same bytes.
  // Their temporaries are made ahead too, on a thread of their own.
  if (ctx.thread_count > 1) {
    std::vector<std::string> names;
    for (std::int32_t p = 0; p < ctx.station_count; ++p) names.push_back(wave_file_name(p + 1));
    textio::make_temporaries_ahead(ctx.outputs, names);
  }
  textio::BlocksAhead<context::RunContext> ahead(ctx, wave_records_text, ctx.station_count,
                                                 ctx.thread_count, wave_file_bytes(ctx));
  for (std::int32_t p = 0; p < ctx.station_count; ++p) {
    const std::string name = wave_file_name(p + 1);
    auto out = textio::create_output(ctx.outputs, name);
    textio::write_free(ctx.console, context::writing(ctx.outputs, "output *.wave file: "), name);
    if (ahead.window() > 0)
      textio::write_bytes(out, ahead.take(p));
    else
      write_wave_records(out, ctx, p);
    textio::complete_output(ctx.outputs, out);
  }
}

}  // namespace shoreline
