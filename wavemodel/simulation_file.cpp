#include "wavemodel/simulation_file.h"

#include <string>

#include "context/console.h"
#include "textio/free_format.h"
#include "textio/free_writer.h"

namespace wavemodel {
namespace {
constexpr std::size_t sim_name_length = 9;  // the name is held this long, then dropped
}  // namespace

WaveGridPlacement read_simulation_file(textio::RecordFile& sim_file) {
  std::string name;
  WaveGridPlacement g;
  textio::read_free_required(sim_file, textio::text_item(name, sim_name_length), g.wave_origin_x,
                             g.wave_origin_y, g.wave_azimuth);
  return g;
}

void print_wave_grid_placement(textio::OutputFile& console, const WaveGridPlacement& placement) {
  textio::write_free(console, "Wave model grid origin: ");
  textio::write_free(console, "   X (Easting):  ", placement.wave_origin_x);
  textio::write_free(console, "   Y (Northing): ", placement.wave_origin_y);
  textio::write_free(console, "Wave model grid rotation azimuth (deg): ", placement.wave_azimuth);
  context::print_closing_triple(console);
}

}  // namespace wavemodel
