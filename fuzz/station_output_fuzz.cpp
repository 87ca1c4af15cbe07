// The station output (selhts.out): the record count, then the values for a few
// station counts, as the run divides the records into events, and the check of
// the station cells against a small grid.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/station_output.h"

namespace {
constexpr std::int32_t station_counts[] = {1, 2, 3, 7};
constexpr std::int32_t grid_ni = 4, grid_nj = 3;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = textio::records_from_text("selhts.out", fuzz::input_text(data, size));
  const std::int32_t records = wavemodel::count_station_records(f);
  fuzz::require(records >= 0 && static_cast<std::size_t>(records) <= size,
                "more records than bytes");
  auto console = fuzz::scratch_output();
  for (const std::int32_t stations : station_counts) {
    textio::rewind(f);
    const std::int32_t events = records / stations;
    try {
      const auto out = wavemodel::read_station_output(f, events, stations);
      fuzz::require(out.station_i.size() == static_cast<std::size_t>(stations) &&
                        out.wave_height.values.size() ==
                            static_cast<std::size_t>(events) * static_cast<std::size_t>(stations),
                    "station output tables of the wrong size");
      wavemodel::check_station_cells(console, out.station_i, out.station_j, grid_ni, grid_nj);
    } catch (const textio::IoError&) {
      // A value that is no number of its type, or the end of the file.
    }
  }
  return 0;
}
