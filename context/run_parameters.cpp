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

}  // namespace context
