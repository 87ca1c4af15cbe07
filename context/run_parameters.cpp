#include "context/run_parameters.h"

#include "textio/free_writer.h"

namespace context {

std::string fixed_text(const std::string& value, std::size_t length) {
  std::string s = value.substr(0, length);
  s.resize(length, ' ');
  return s;
}

bool is_map_output(const RunParameters& p) {
  return p.output_format == map_format;
}
bool is_dunelot_output(const RunParameters& p) {
  return p.output_format == dunelot_format;
}
bool report_requested(const RunParameters& p) {
  return p.report_file.find_first_not_of(' ') != std::string::npos;
}

std::vector<InputFile> input_files(const RunParameters& p) {
  const auto file = [](const std::string& padded, const char* what) {
    return InputFile{std::string(textio::trimmed(padded)), what};
  };
  std::vector<InputFile> files = {file(p.sim_file, "KRV-Wave simulation"),
                                  file(p.std_file, "KRV-Wave station list"),
                                  file(p.station_output_file, "KRV-Wave station output"),
                                  file(p.dep_file, "KRV-Wave depth grid")};
  if (p.krv_mode == 0)
    files.push_back(file(p.frequency_file, "frequency of occurrence"));
  if (is_dunelot_output(p)) {
    files.push_back(file(p.dun_file, "Dunelot control file"));
    files.back().only_when_there = true;
    if (p.shore_dx == -1.0)
      files.push_back(file(p.shdx_file, "Dunelot cell widths"));
  }
  return files;
}

}  // namespace context
