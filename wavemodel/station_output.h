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
#include "textio/record_pieces.h"

namespace wavemodel {

struct StationOutput {
  std::vector<std::int32_t> station_i, station_j;  // (station): the last event's cell
  context::Table<float> wave_height, wave_period;  // (input event, station)
  context::Table<double> wave_direction;           // (input event, station), degrees
};

// Counts every record from the first to the end of the file, blank ones
// included, then rewinds the file to its first record.
std::int32_t count_station_records(textio::RecordFile& station_output_file);
// The same on `threads` threads, with the marks that let read_station_output
// read the file in pieces (none where it cannot or need not be).
std::int32_t count_station_records(textio::RecordFile& station_output_file, unsigned threads,
                                   std::vector<textio::RecordMark>& marks);

// Reads input_event_count x station_count records from the current record on,
// six values each read free-format: the first is dropped, then i, j, height,
// period and direction. A record with fewer values lets the read go on over
// the next records; values after the sixth are ignored. IoError when a value is
// no number of its type or the file ends first.
//
// From the first record, with the marks of the count and more than one
// thread, the pieces between marks are read at the same time, each record
// taken as one read of six plain numbers. The first record that is not that
// (and everything after it) is read as above, from a mark at least a station
// count of records before it: the values, the cells and any failure (its
// record, its reason) are those of the read in order.
StationOutput read_station_output(textio::RecordFile& station_output_file,
                                  std::int32_t input_event_count, std::int32_t station_count,
                                  const std::vector<textio::RecordMark>& marks = {},
                                  unsigned threads = 1);

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
