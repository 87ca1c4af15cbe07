// wavemodel/simulation_file.h: the wave model's simulation file (*.sim): where
// the model grid's origin lies on the map and how far the grid is rotated.
#pragma once

#include "textio/output_file.h"
#include "textio/record_file.h"

namespace wavemodel {

struct WaveGridPlacement {
  double wave_origin_x = 0.0;  // Easting
  double wave_origin_y = 0.0;  // Northing
  double wave_azimuth = 0.0;   // degrees
};

// Reads a name (dropped) and the three reals free-format from the start of the
// file; IoError when the file ends before them or one is no number.
WaveGridPlacement read_simulation_file(textio::RecordFile& sim_file);

// The origin and azimuth lines and their closing triple.
void print_wave_grid_placement(textio::OutputFile& console, const WaveGridPlacement& placement);

}  // namespace wavemodel
