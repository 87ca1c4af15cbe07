#include "context/run_parameters.h"

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

}  // namespace context
