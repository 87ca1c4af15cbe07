// The station output (selhts.out): the record count, then the values for a few
// station counts, as the run divides the records into events, and the check of
// the station cells against a small grid. The read in pieces (marks every 7
// bytes, 3 threads) must give what the read in order gives: the same tables
// and cells, or the same failure.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "textio/record_pieces.h"
#include "wavemodel/station_output.h"

namespace {
constexpr std::int32_t station_counts[] = {1, 2, 3, 7};
constexpr std::int32_t grid_ni = 4, grid_nj = 3;

// Every value the read left, bit for bit.
std::string fingerprint(const wavemodel::StationOutput& out) {
  std::string bits;
  const auto add = [&bits](const auto& values) {
    bits.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof values[0]);
  };
  add(out.station_i);
  add(out.station_j);
  add(out.wave_height.values);
  add(out.wave_period.values);
  add(out.wave_direction.values);
  return bits;
}
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
    std::string in_order, in_pieces;
    try {
      const auto out = wavemodel::read_station_output(f, events, stations);
      in_order = fingerprint(out);
      fuzz::require(out.station_i.size() == static_cast<std::size_t>(stations) &&
                        out.wave_height.values.size() ==
                            static_cast<std::size_t>(events) * static_cast<std::size_t>(stations),
                    "station output tables of the wrong size");
      wavemodel::check_station_cells(console, out.station_i, out.station_j, grid_ni, grid_nj);
    } catch (const textio::IoError& e) {
      // A value that is no number of its type, or the end of the file.
      in_order = e.what();
    }
    auto pieces = textio::records_from_text("selhts.out", fuzz::input_text(data, size));
    const auto marks = textio::count_records(pieces, 3, 7).marks;
    try {
      in_pieces = fingerprint(wavemodel::read_station_output(pieces, events, stations, marks, 3));
    } catch (const textio::IoError& e) {
      in_pieces = e.what();
    }
    fuzz::require(in_pieces == in_order, "the read in pieces differs from the read in order");
  }
  return 0;
}
