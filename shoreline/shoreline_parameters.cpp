#include "shoreline/shoreline_parameters.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "context/console.h"
#include "textio/free_format.h"
#include "textio/free_writer.h"

namespace shoreline {
namespace {

constexpr std::size_t token_length = 180;

enum class Key { none, x0, y0, azimuth, nx, dx, dx_file, closure, berm };

Key record_key(std::string_view record) {
  const std::string_view head = record.substr(0, 3);
  if (head == "X0:")
    return Key::x0;
  if (head == "Y0:")
    return Key::y0;
  if (head == "AZI")
    return Key::azimuth;
  if (head == "NX:")
    return Key::nx;
  if (head == "DX:")
    return Key::dx;
  if (head == "DXF")
    return Key::dx_file;
  if (record.starts_with("CLOSURE:"))
    return Key::closure;
  if (record.starts_with("BERM:"))
    return Key::berm;
  return Key::none;
}

// Reads the token and one value into a copy of the parameter and takes the
// copy only when the read succeeded: a failed integer would otherwise hold 0,
// and a failed text whatever part of it was read.
template <class T>
void read_parameter(textio::RecordFile& f, std::string& token, T& parameter) {
  T value = parameter;
  if (textio::read_free(f, textio::text_item(token, token_length), value) ==
      textio::ReadStatus::ok) {
    parameter = value;
  }
}

void read_text_parameter(textio::RecordFile& f, std::string& token, std::string& parameter) {
  std::string value = parameter;
  if (textio::read_free(f, textio::text_item(token, token_length),
                        textio::text_item(value, context::file_name_length)) ==
      textio::ReadStatus::ok) {
    parameter = value;
  }
}

void read_optional(textio::RecordFile& f, std::string& token, std::optional<double>& parameter) {
  double value = 0.0;
  if (textio::read_free(f, textio::text_item(token, token_length), value) == textio::ReadStatus::ok)
    parameter = value;
}

}  // namespace

void read_dun_parameters(textio::RecordFile& f, context::RunParameters& params) {
  std::string token(token_length, ' ');
  while (const auto record = textio::next_record(f)) {
    if (!record->empty() && ((*record)[0] == '!' || (*record)[0] == '*'))
      continue;
    const Key key = record_key(*record);
    if (key == Key::none)
      continue;
    // The value may stand on a later record; the next pass then starts after it.
    textio::step_back(f);
    switch (key) {
      case Key::x0:
        read_parameter(f, token, params.shore_x0);
        break;
      case Key::y0:
        read_parameter(f, token, params.shore_y0);
        break;
      case Key::azimuth:
        read_parameter(f, token, params.shore_azimuth);
        break;
      case Key::nx:
        read_parameter(f, token, params.shore_nx);
        break;
      case Key::dx:
        read_parameter(f, token, params.shore_dx);
        break;
      case Key::dx_file:
        read_text_parameter(f, token, params.shdx_file);
        break;
      case Key::closure:  // only the run report uses these two
        read_optional(f, token, params.dun_closure_depth);
        break;
      case Key::berm:
        read_optional(f, token, params.dun_berm_height);
        break;
      case Key::none:
        break;
    }
  }
}

void print_shoreline_echo(textio::OutputFile& console, const context::RunParameters& params) {
  textio::write_free(console, "Dunelot Grid Origin X-Coord. (Easting): ", params.shore_x0);
  textio::write_free(console, "Dunelot Grid Origin Y-Coord. (Northing): ", params.shore_y0);
  textio::write_free(console, "Dunelot Grid Azimuth: ", params.shore_azimuth);
  textio::write_free(console, "Number of Dunelot Grid Cells (NX): ", params.shore_nx);
  textio::write_free(console, "Dunelot Grid Cell Resolution (DX): ", params.shore_dx);
  context::print_closing_triple(console);
}

}  // namespace shoreline
