#include "run/control_file.h"

#include <optional>
#include <string>
#include <utility>

#include "context/console.h"
#include "textio/free_format.h"
#include "textio/free_writer.h"

namespace run {

// The driver stands on the run's shared state.
using namespace context;
namespace {

constexpr std::size_t keyword_token_length = 180;

// Reads the keyword token and the parameter's value from the record again.
template <class T>
textio::ReadStatus read_keyword_value(textio::RecordFile& f, T&& target) {
  std::string token;
  return textio::read_free(f, textio::text_item(token, keyword_token_length), target);
}

// A value that is given only when it can be read: an unreadable one is
// passed over.
void read_optional_value(textio::RecordFile& f, std::optional<double>& target) {
  double value = 0.0;
  if (read_keyword_value(f, value) == textio::ReadStatus::ok)
    target = value;
}

// Sets the parameter that `key` names from the record; false for no keyword.
bool read_parameter(textio::RecordFile& f, std::string_view key, RunParameters& p) {
  using textio::text_item;
  if (key == "SIM") {
    read_keyword_value(f, text_item(p.sim_file, file_name_length));
  } else if (key == "STD") {
    read_keyword_value(f, text_item(p.std_file, file_name_length));
  } else if (key == "SEL") {
    read_keyword_value(f, text_item(p.station_output_file, file_name_length));
  } else if (key == "DEP") {
    read_keyword_value(f, text_item(p.dep_file, file_name_length));
  } else if (key == "FRE") {
    read_keyword_value(f, text_item(p.frequency_file, file_name_length));
  } else if (key == "MAP") {
    read_keyword_value(f, text_item(p.map_file, file_name_length));
  } else if (key == "TIM") {
    read_keyword_value(f, p.time_step_hours);
  } else if (key == "NTI") {
    read_keyword_value(f, p.period_count);
  } else if (key == "TSO") {
    read_keyword_value(f, p.series_length_hours);
  } else if (key == "STA") {
    read_keyword_value(f, p.start_datetime);
  } else if (key == "KRV") {
    read_keyword_value(f, p.krv_mode);
  } else if (key == "RAN") {
    read_keyword_value(f, p.random_order);
  } else if (key == "FOR") {
    read_keyword_value(f, text_item(p.output_format, output_format_length));
  } else if (key == "DUN") {
    read_keyword_value(f, text_item(p.dun_file, file_name_length));
  } else if (key == "X0:") {
    read_keyword_value(f, p.shore_x0);
  } else if (key == "Y0:") {
    read_keyword_value(f, p.shore_y0);
  } else if (key == "AZI") {
    read_keyword_value(f, p.shore_azimuth);
  } else if (key == "NX:") {
    read_keyword_value(f, p.shore_nx);
  } else if (key == "DX:") {
    read_keyword_value(f, p.shore_dx);
  } else if (key == "DXF") {
    read_keyword_value(f, text_item(p.shdx_file, file_name_length));
  } else if (key == "REP") {
    read_keyword_value(f, text_item(p.report_file, file_name_length));
  } else if (key == "CLO") {
    read_optional_value(f, p.closure_depth);
  } else if (key == "D50") {
    read_optional_value(f, p.d50_mm);
  } else if (key == "SLO") {
    read_optional_value(f, p.beach_slope);
  } else if (key == "GAM") {
    read_optional_value(f, p.breaker_index);
  } else if (key == "POR") {
    read_optional_value(f, p.porosity);
  } else if (key == "BER") {
    read_optional_value(f, p.berm_height);
  } else if (key == "SEE") {
    // A value that is not a non-negative integer is passed over, as any
    // unreadable value is.
    std::int64_t seed = -1;
    if (read_keyword_value(f, seed) == textio::ReadStatus::ok && seed >= 0)
      p.random_seed = seed;
  } else {
    return false;
  }
  return true;
}

std::string padded(std::string_view text, std::size_t width) {
  std::string s(text);
  if (s.size() < width)
    s.resize(width, ' ');
  return s;
}

struct WaveInput {
  std::string RunParameters::*name;
  std::optional<textio::RecordFile> RunContext::*file;
  const char* loading;
  const char* missing;
};

constexpr WaveInput wave_inputs[] = {
    {&RunParameters::sim_file, &RunContext::sim,
     "Loading KRV-Wave *.sim file: ", "ERROR: Input *.sim file specified as: \""},
    {&RunParameters::std_file, &RunContext::station_list,
     "Loading KRV-Wave *.std file: ", "ERROR: Input *.std file specified as: \""},
    {&RunParameters::station_output_file, &RunContext::station_output,
     "Loading KRV-Wave selhts.out file: ", "ERROR: Input selhts.out file specified as: \""},
    {&RunParameters::dep_file, &RunContext::dep,
     "Loading KRV-Wave *.dep file: ", "ERROR: Input *.dep file specified as: \""},
    {&RunParameters::frequency_file, &RunContext::frequency,
     "Loading % frequency of occurrence file: ",
     "ERROR: Input % frequencyoccur file specified as: \""},
};

}  // namespace

Status load_control_file(RunContext& ctx) {
  textio::RecordFile f = textio::open_records(control_file_name);
  for (;;) {
    std::string first;
    const textio::ReadStatus status =
        textio::read_free(f, textio::text_item(first, file_name_length));
    if (status == textio::ReadStatus::end_of_file)
      break;
    if (status == textio::ReadStatus::error)
      continue;
    if (first[0] == '!' || first[0] == '#')
      continue;
    textio::step_back(f);
    if (!read_parameter(f, std::string_view(first).substr(0, 3), ctx.params)) {
      textio::write_free(ctx.console, "ERROR: Something is wrong with your input file!");
      return Status::error_stop;
    }
  }
  textio::close_records(f);
  return Status::ok;
}

void print_parameter_echo(RunContext& ctx) {
  const RunParameters& p = ctx.params;
  auto& con = ctx.console;
  print_closing_triple(con);
  textio::write_free(con, "Output time series timestep (hours): ", p.time_step_hours);
  textio::write_free(con, "Length of output time series (hours): ", p.series_length_hours);
  textio::write_free(con, "Number of time periods to distribute output",
                     " time series over: ", p.period_count);
  textio::write_free(con, "Start Date & Time <yyyymmddHHMMSS>: ", p.start_datetime);
  textio::write_free(con, padded("Flag for KRV mode:", 55),
                     "  <1> = time-series mode; <0> = steady state mode: ", p.krv_mode);
  textio::write_free(con, padded("Flag for random temporal distribution:", 55),
                     "  <1> = randomly distributed; <0> = same order as ",
                     "input waves: ", p.random_order);
  textio::write_free(con, padded("Output format:", 55),
                     padded("  <TGM_Map_Wave_File> = TGM Map File;", 55),
                     "  <Dunelot_Wave_File> = Dunelot Wave Files: ", p.output_format);
  if (is_dunelot_output(p)) {
    textio::write_free(con, padded("Input Dunelot Control Filename:", 53),
                       textio::trimmed(p.dun_file));
  } else {
    textio::write_free(con, "Output TGM time series file name: ", textio::trimmed(p.map_file));
  }
  if (p.random_seed)
    textio::write_free(con, "Random seed: ", *p.random_seed);
  if (report_requested(p))
    textio::write_free(con, "Output run report file name: ", textio::trimmed(p.report_file));
  const std::pair<const std::optional<double>*, const char*> given[] = {
      {&p.d50_mm, "Median grain size D50 (mm): "},
      {&p.beach_slope, "Beach slope tan(beta): "},
      {&p.breaker_index, "Breaker index gamma (Hb/hb): "},
      {&p.porosity, "Porosity: "},
      {&p.berm_height, "Berm height (m): "},
      {&p.closure_depth, "Closure depth (m): "},
  };
  for (const auto& [value, text] : given) {
    if (*value)
      textio::write_free(con, text, **value);
  }
  print_closing_triple(con);
}

Status open_wave_inputs(RunContext& ctx) {
  for (const WaveInput& input : wave_inputs) {
    if (input.file == &RunContext::frequency && ctx.params.krv_mode != 0)
      continue;
    const std::string name(textio::trimmed(ctx.params.*input.name));
    if (!textio::file_exists(name)) {
      textio::write_free(ctx.console, input.missing, name, "\" not found!");
      return Status::error_stop;
    }
    textio::write_free(ctx.console, input.loading, name);
    ctx.*input.file = textio::open_records(name);
  }
  print_closing_triple(ctx.console);
  return Status::ok;
}

void close_wave_inputs(RunContext& ctx) {
  for (const WaveInput& input : wave_inputs) (ctx.*input.file).reset();
}

}  // namespace run
