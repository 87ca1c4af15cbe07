#include "wavemodel/station_output.h"

#include "textio/free_format.h"
#include "textio/free_writer.h"

namespace wavemodel {

std::int32_t count_station_records(textio::RecordFile& station_output_file) {
  std::int32_t count = 0;
  while (textio::next_record(station_output_file)) ++count;
  textio::rewind(station_output_file);
  return count;
}

StationOutput read_station_output(textio::RecordFile& station_output_file,
                                  std::int32_t input_event_count, std::int32_t station_count) {
  StationOutput out;
  context::create_list(out.station_i, station_count, 0);
  context::create_list(out.station_j, station_count, 0);
  context::create_table(out.wave_height, input_event_count, station_count, 0.0f);
  context::create_table(out.wave_period, input_event_count, station_count, 0.0f);
  context::create_table(out.wave_direction, input_event_count, station_count, 0.0);

  std::int32_t record_number = 0;  // field 1: must be an integer, not kept
  for (std::int32_t e = 0; e < out.wave_height.rows; ++e) {
    for (std::int32_t s = 0; s < out.wave_height.columns; ++s) {
      textio::read_free_required(station_output_file, record_number, out.station_i[s],
                                 out.station_j[s], out.wave_height(e, s), out.wave_period(e, s),
                                 out.wave_direction(e, s));
    }
  }
  return out;
}

std::int32_t first_station_outside_grid(const std::vector<std::int32_t>& station_i,
                                        const std::vector<std::int32_t>& station_j,
                                        std::int32_t grid_ni, std::int32_t grid_nj) {
  for (std::size_t p = 0; p < station_i.size(); ++p) {
    if (station_i[p] < 1 || station_i[p] > grid_ni || station_j[p] < 1 || station_j[p] > grid_nj) {
      return static_cast<std::int32_t>(p + 1);
    }
  }
  return 0;
}

context::Status check_station_cells(textio::OutputFile& console,
                                    const std::vector<std::int32_t>& station_i,
                                    const std::vector<std::int32_t>& station_j,
                                    std::int32_t grid_ni, std::int32_t grid_nj) {
  const std::int32_t p = first_station_outside_grid(station_i, station_j, grid_ni, grid_nj);
  if (p == 0)
    return context::Status::ok;
  return report_station_outside_grid(console, p);
}

context::Status report_station_outside_grid(textio::OutputFile& console, std::int32_t p) {
  textio::write_free(console, "ERROR: Wave observation station", p,
                     " lies outside the KRV-Wave grid!");
  return context::Status::error_stop;
}

}  // namespace wavemodel
