// The simulation file (*.sim): a name and the grid origin and azimuth.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/simulation_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = textio::records_from_text("fuzz.sim", fuzz::input_text(data, size));
  try {
    const wavemodel::WaveGridPlacement placement = wavemodel::read_simulation_file(f);
    auto console = fuzz::scratch_output();
    wavemodel::print_wave_grid_placement(console, placement);
  } catch (const textio::IoError&) {
    // The file ends before the three numbers, or one is no number.
  }
  return 0;
}
