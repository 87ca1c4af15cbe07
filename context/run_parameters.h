// context/run_parameters.h: the run's parameters, filled once from quilbar.ctrl over
// fixed defaults. Texts have a fixed length and are blank-padded.
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace context {

inline constexpr std::size_t file_name_length = 255;
inline constexpr std::size_t output_format_length = 17;

// A text of `length` characters: `value` blank-padded or cut.
std::string fixed_text(const std::string& value, std::size_t length);

struct RunParameters {
  std::string sim_file = fixed_text("", file_name_length);
  std::string std_file = fixed_text("", file_name_length);
  std::string station_output_file = fixed_text("", file_name_length);
  std::string dep_file = fixed_text("", file_name_length);
  std::string frequency_file = fixed_text("", file_name_length);
  std::string map_file = fixed_text("Dunelot_TGM.map", file_name_length);
  float time_step_hours = 0.0f;
  std::int32_t period_count = 1;
  float series_length_hours = 8760.0f;
  std::int64_t start_datetime = 19000101000000;
  std::int8_t krv_mode = 1;      // 1: time-series mode, 0: steady-state mode
  std::int8_t random_order = 0;  // 1: random order within each period
  std::string output_format = fixed_text("TGM_Map_Wave_File", output_format_length);
  std::string dun_file = fixed_text("", file_name_length);
  double shore_x0 = 0.0;
  double shore_y0 = 0.0;
  double shore_azimuth = -99999.0;  // -9999.0 or less: none given
  std::int32_t shore_nx = 0;
  double shore_dx = 0.0;
  std::string shdx_file = fixed_text("", file_name_length);
  std::string dun_waves_file = fixed_text("Dunelot_waves.dun", file_name_length);
  // The seed of the random order; none: seeded from the clock, every run anew.
  std::optional<std::int64_t> random_seed;
  // The run report's page; blank: no report.
  std::string report_file = fixed_text("", file_name_length);
  // The closure depth (m) the run report's checks use: CLO, else a CLOSURE:
  // record of the *.dun file; none when neither gives one.
  std::optional<double> closure_depth, dun_closure_depth;
  // The run report's sand transport: D50 (mm), beach slope tan(beta),
  // breaker index, porosity, berm height (m; BER, else a BERM: record of the
  // *.dun file); none: the report's default (no default for the berm).
  std::optional<double> d50_mm, beach_slope, breaker_index, porosity, berm_height, dun_berm_height;
};

inline constexpr const char* map_format = "TGM_Map_Wave_File";
inline constexpr const char* dunelot_format = "Dunelot_Wave_File";

bool is_map_output(const RunParameters& p);
bool is_dunelot_output(const RunParameters& p);
// A run report was asked for (REP).
bool report_requested(const RunParameters& p);

// A file the run reads (besides the control file), and what it is.
struct InputFile {
  std::string name;  // without its trailing blanks
  const char* what;
  bool only_when_there = false;  // a missing one is passed over, not an error
};
// The wave model's files, the frequency file in steady-state mode, and for
// the Dunelot output the *.dun file (read when it is there) and the cell
// widths (when the cells have widths of their own).
std::vector<InputFile> input_files(const RunParameters& p);

}  // namespace context
