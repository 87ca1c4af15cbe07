// context/run_context.h: the one run context: the parameters, the open wave-model
// inputs, the console and every table of the run. Each table is created once,
// by the step that knows its sizes; indices in code start at 0, values that
// name stations, events or slots keep their numbers from 1 (0 = none).
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "context/run_parameters.h"
#include "context/stamp.h"
#include "context/table.h"
#include "textio/output_file.h"
#include "textio/output_set.h"
#include "textio/record_file.h"
#include "textio/record_pieces.h"

namespace context {

struct RunContext {
  RunParameters params;
  textio::OutputFile console;
  // The files the run writes, put in place together at its normal end.
  textio::OutputSet outputs;
  // Threads the run may use for work whose results do not depend on them
  // (reading the station output in pieces, formatting blocks of output ahead,
  // the report's statistics); 1: all on this one.
  unsigned thread_count = 1;

  // Wave-model inputs, open from the input checks until they are closed.
  std::optional<textio::RecordFile> sim, station_list, station_output, dep, frequency;

  // Bytes of the tables made so far (see table_memory.h).
  std::uint64_t table_bytes_reserved = 0;

  // Counts.
  std::int32_t station_count = 0;
  std::int32_t station_record_count = 0;
  // Where the station output can be cut into pieces read at the same time.
  std::vector<textio::RecordMark> station_record_marks;
  std::int32_t input_event_count = 0;
  std::int32_t output_event_count = 0;

  // Station output: (input event, station).
  std::vector<std::int32_t> station_i, station_j;
  Table<float> wave_height, wave_period;
  Table<double> wave_direction;

  // Depth grid: depth_grid(i, k) is column i of the k-th row in file order.
  std::int32_t grid_ni = 0, grid_nj = 0;
  float grid_cell_size = 0.0f, grid_spacing_flag = 0.0f;
  Table<float> depth_grid;
  std::vector<float> cell_widths_i, cell_widths_j;

  // Simulation file.
  double wave_origin_x = 0.0, wave_origin_y = 0.0, wave_azimuth = 0.0;

  // Frequency of occurrence: (input event, period).
  Table<float> event_period_percent, event_period_fraction;
  Table<std::int32_t> event_period_repeats;
  std::vector<std::int32_t> period_output_events;

  // Time axis, one entry per output step.
  std::vector<Stamp> step_stamp;
  std::vector<Label> step_label;

  // Directions: (input event, station). One table passes through them: the
  // wave model's directions become the map-based ones, those the
  // shoreline-relative ones in the shoreline-model output, and the last of
  // them the selected ones; the tables it has left are empty.
  double world_offset = 0.0, shore_offset = 0.0;
  Table<double> world_direction, shore_direction, selected_direction;

  // Stations on the map and on the shoreline grid.
  std::vector<double> station_grid_x, station_grid_y, station_x, station_y;
  std::vector<std::int32_t> station_cell;  // shoreline cell from 1, 0 for none

  // Event order, one entry per output step.
  std::vector<std::int32_t> step_slot, slot_event, period_shuffle, series_event;
  std::int32_t period_slot_base = 0;

  // Output series: (output step, station).
  Table<float> out_height, out_period, out_direction;

  // Shoreline cell widths, released after the gauges are placed unless the
  // run report is to draw them.
  std::vector<float> shore_cell_width;
};

}  // namespace context
