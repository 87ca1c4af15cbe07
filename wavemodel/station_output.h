// wavemodel/station_output.h: the station output file (selhts.out): one record
// per event and station, in event-major order, holding a record number, the
// station's grid cell and the event's wave height, period and direction.
#pragma once

#include <cstdint>
#include <vector>

#include "context/status.h"
#include "context/table.h"
#include "textio/output_file.h"
#include "textio/record_file.h"

namespace wavemodel {

struct StationOutput {
  std::vector<std::int32_t> station_i, station_j;  // (station): the last event's cell
  context::Table<float> wave_height, wave_period;  // (input event, station)
  context::Table<double> wave_direction;           // (input event, station), degrees
};

// Counts every record from the first to the end of the file, blank ones
// included, then rewinds the file to its first record.
std::int32_t count_station_records(textio::RecordFile& station_output_file);

// Reads input_event_count x station_count records from the current record on,
// six values each read free-format: the first is dropped, then i, j, height,
// period and direction. A record with fewer values lets the read go on over
// the next records; values after the sixth are ignored. IoError when a value is
// no number of its type or the file ends first.
StationOutput read_station_output(textio::RecordFile& station_output_file,
                                  std::int32_t input_event_count, std::int32_t station_count);

// The first station (from 1) whose cell is not in the grid of grid_ni x grid_nj
// cells, or 0 when every station's cell is.
std::int32_t first_station_outside_grid(const std::vector<std::int32_t>& station_i,
                                        const std::vector<std::int32_t>& station_j,
                                        std::int32_t grid_ni, std::int32_t grid_nj);

// Checks the station cells: for the first station outside the grid, its message
// and error_stop; ok otherwise.
context::Status check_station_cells(textio::OutputFile& console,
                                    const std::vector<std::int32_t>& station_i,
                                    const std::vector<std::int32_t>& station_j,
                                    std::int32_t grid_ni, std::int32_t grid_nj);
// The message that station p (from 1) lies outside the grid, and error_stop.
context::Status report_station_outside_grid(textio::OutputFile& console, std::int32_t p);

}  // namespace wavemodel
