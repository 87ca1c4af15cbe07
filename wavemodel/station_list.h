// wavemodel/station_list.h: the number of wave observation stations, taken from
// the wave model's station list (*.std) in either of its two forms.
#pragma once

#include <cstdint>
#include <string_view>

#include "context/status.h"
#include "textio/output_file.h"
#include "textio/record_file.h"

namespace wavemodel {

// The marker that ends the count record of an annotated station list.
inline constexpr std::string_view station_count_marker = "!kout";

// Reads the station count from a station list positioned at its first record.
// A `!` in the first 150 columns of the first record selects the annotated form
// (count in front of the first "!kout"), otherwise the plain form (the fifth
// value). IoError when the first record is missing or the count field holds
// anything but blanks, a sign and digits.
std::int32_t read_station_count(textio::RecordFile& std_file);

// Annotated form, from the current record on: the I8 field in front of the first
// "!kout" within the first 80 columns of a record; 0 when no record holds it.
std::int32_t annotated_station_count(textio::RecordFile& std_file);

// Plain form, from the file's first record: five integers read free-format into
// the count, so the fifth remains; when the read stops early, the last integer
// read (0 if none).
std::int32_t plain_station_count(textio::RecordFile& std_file);

// The count line and its closing triple.
void print_station_count(textio::OutputFile& console, std::int32_t station_count);

// With no station the run cannot divide the station output into events: the
// message naming the station list, and error_stop; ok otherwise.
context::Status check_station_count(textio::OutputFile& console, std::int32_t station_count,
                                    std::string_view std_file_name);

}  // namespace wavemodel
