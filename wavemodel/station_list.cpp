#include "wavemodel/station_list.h"

#include <array>
#include <span>
#include <string>

#include "context/console.h"
#include "textio/fixed_fields.h"
#include "textio/free_format.h"
#include "textio/free_writer.h"

namespace wavemodel {
namespace {

constexpr std::size_t form_columns = 150;     // where a `!` marks the annotated form
constexpr std::size_t marker_columns = 80;    // where the marker is searched
constexpr std::size_t plain_value_count = 5;  // the count is the fifth value

// One pass of the plain-form read into five separate integers, each first set to
// `fill`; the file is rewound before the read.
textio::ReadStatus read_plain_values(textio::RecordFile& f, std::int32_t fill,
                                     std::array<std::int32_t, plain_value_count>& values) {
  textio::rewind(f);
  values.fill(fill);
  return textio::read_free(f, std::span<std::int32_t>(values));
}

}  // namespace

std::int32_t read_station_count(textio::RecordFile& std_file) {
  const std::string_view first = textio::next_record_required(std_file);
  const bool annotated = first.substr(0, form_columns).find('!') != std::string_view::npos;
  textio::rewind(std_file);
  return annotated ? annotated_station_count(std_file) : plain_station_count(std_file);
}

std::int32_t annotated_station_count(textio::RecordFile& std_file) {
  while (const auto record = textio::next_record(std_file)) {
    const std::size_t p = record->substr(0, marker_columns).find(station_count_marker);
    if (p == std::string_view::npos)
      continue;
    // Only the I8 field in front of the marker holds the count.
    return static_cast<std::int32_t>(
        textio::read_fixed_required(std_file, record->substr(0, p), textio::I8));
  }
  return 0;
}

std::int32_t plain_station_count(textio::RecordFile& std_file) {
  // The count is the last integer the read assigned. Null values and items the
  // read never reached keep their fill, a failed item is set to 0: two passes
  // with different fills tell the assigned items from the others, and on an
  // error the failed item is the last assigned one.
  std::array<std::int32_t, plain_value_count> low{}, high{};
  const textio::ReadStatus status = read_plain_values(std_file, 0, low);
  read_plain_values(std_file, 1, high);

  std::size_t read_end = plain_value_count;
  if (status == textio::ReadStatus::error) {
    while (read_end > 0 && low[read_end - 1] != high[read_end - 1]) --read_end;
    if (read_end > 0)
      --read_end;  // the item that failed
  }
  std::int32_t count = 0;
  for (std::size_t k = 0; k < read_end; ++k) {
    if (low[k] == high[k])
      count = low[k];
  }
  return count;
}

void print_station_count(textio::OutputFile& console, std::int32_t station_count) {
  textio::write_free(console, "Number of wave observation stations: ", station_count);
  context::print_closing_triple(console);
}

context::Status check_station_count(textio::OutputFile& console, std::int32_t station_count,
                                    std::string_view std_file_name) {
  if (station_count >= 1)
    return context::Status::ok;
  const std::string lead =
      std::string("ERROR: No wave observation stations found in *.std file: ") +
      context::quote_mark;
  const std::string close(1, context::quote_mark);
  textio::write_free(console, lead, textio::trimmed(std_file_name), close);
  return context::Status::error_stop;
}

}  // namespace wavemodel
