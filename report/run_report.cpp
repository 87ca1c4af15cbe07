#include "report/run_report.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "context/console.h"
#include "convert/directions.h"
#include "convert/station_positions.h"
#include "report/csv_files.h"
#include "report/html_page.h"
#include "report/report_model.h"
#include "report/wave_physics.h"
#include "textio/free_writer.h"
#include "textio/output_set.h"
#include "wavemodel/depth_grid.h"

namespace report {
namespace {

std::optional<std::uintmax_t> size_of(const std::string& path) {
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(path, error);
  if (error)
    return std::nullopt;
  return bytes;
}

// The same file, however the two names spell it.
bool same_target(const std::string& a, const std::string& b) {
  std::error_code error;
  const auto full_a = std::filesystem::absolute(a, error).lexically_normal();
  const auto full_b = std::filesystem::absolute(b, error).lexically_normal();
  return full_a == full_b;
}

PageFiles files_of_the_run(const context::RunContext& ctx, const std::vector<std::string>& report) {
  PageFiles files;
  for (const context::InputFile& f : context::input_files(ctx.params)) {
    const auto bytes = size_of(f.name);
    if (bytes || !f.only_when_there)
      files.read.push_back({f.name, bytes, f.what});
  }
  for (const textio::OutputSummary& made : textio::outputs_made(ctx.outputs))
    files.written.push_back({made.name, made.bytes, ""});
  constexpr const char* notes[] = {"this page", "station table", "cell table",
                                   "sand transport table"};
  for (std::size_t k = 0; k < report.size(); ++k)
    files.written.push_back({report[k], std::nullopt, notes[k]});
  return files;
}

// A long text as console records broken between words, the records after the
// first indented, each within the console's 80 columns.
void print_wrapped(textio::OutputFile& console, std::string_view text) {
  constexpr std::size_t width = 78;
  std::string_view indent;
  while (!text.empty()) {
    std::size_t cut = text.size();
    if (indent.size() + text.size() > width) {
      cut = text.rfind(' ', width - indent.size());
      if (cut == std::string_view::npos || cut == 0)
        cut = std::min(text.size(), width - indent.size());
    }
    textio::write_free(console, std::string(indent).append(text.substr(0, cut)));
    text.remove_prefix(cut);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    indent = "    ";
  }
}

// The page's Checks section as console records, for a check-only run: each
// flag raised with its stations and what it usually means, then each check
// of the whole run, in the page's order.
void print_checks(textio::OutputFile& console, const ReportModel& model) {
  bool any = false;
  for (const StationFlag f : all_flags) {
    std::string with;
    std::size_t count = 0;
    for (std::size_t p = 0; p < model.stations.size(); ++p) {
      if ((model.stations[p].flags & f) == 0)
        continue;
      with += (count++ == 0 ? "" : ", ") + std::to_string(p + 1);
    }
    if (count == 0)
      continue;
    any = true;
    print_wrapped(console, "Check: " + flag_names(f) + (count == 1 ? " station " : " stations ") +
                               with + ": " + flag_explanation(f) + ".");
  }
  for (const RunCheck& c : model.checks) {
    any = true;
    print_wrapped(console, "Check: " + c.name + ": " + c.text + ".");
  }
  if (!any)
    print_wrapped(console, "Check: no station is flagged and the run raises no check.");
}

WaveGridFrame wave_grid_frame(const context::RunContext& ctx) {
  WaveGridFrame g;
  g.origin = {ctx.wave_origin_x, ctx.wave_origin_y};
  g.azimuth = ctx.wave_azimuth;
  double cos_a = 1.0, sin_a = 0.0;
  convert::azimuth_cos_sin(ctx.wave_azimuth, cos_a, sin_a);
  // The conversion's rotation: grid (x, y) to map (x cos - y sin, x sin + y cos).
  g.i_axis = {cos_a, sin_a};
  g.j_axis = {-sin_a, cos_a};
  g.edges_i = cell_edges(ctx.cell_widths_i);
  g.edges_j = cell_edges(ctx.cell_widths_j);
  g.ni = ctx.grid_ni;
  g.nj = ctx.grid_nj;
  if (ctx.depth_grid.values.size() ==
      static_cast<std::size_t>(std::max(0, g.ni)) * static_cast<std::size_t>(std::max(0, g.nj)))
    g.depth = ctx.depth_grid.values;
  return g;
}

ShoreAxis shore_axis(const context::RunContext& ctx) {
  ShoreAxis s;
  s.origin = {ctx.params.shore_x0, ctx.params.shore_y0};
  s.azimuth = ctx.params.shore_azimuth;
  const double a = s.azimuth * degree;
  s.along = {std::sin(a), std::cos(a)};
  s.offset = convert::azimuth_less_90(s.azimuth);
  s.widths = ctx.shore_cell_width;
  s.edges = cell_edges(ctx.shore_cell_width);
  return s;
}

// A value from its keyword, else from a record of the *.dun file, with where
// it came from.
void given_or_from_dun(const std::optional<double>& given, const std::optional<double>& dun,
                       const char* keyword, const char* record, std::optional<double>& value,
                       std::string& source) {
  if (given) {
    value = given;
    source = keyword;
  } else if (dun) {
    value = dun;
    source = std::string("the *.dun file's ") + record + " record";
  }
}

SedimentParameters sediment_parameters(const context::RunParameters& p) {
  SedimentParameters s;
  const auto take = [](const std::optional<double>& given, const char* keyword, double& value,
                       std::string& source) {
    if (given) {
      value = *given;
      source = keyword;
    }
  };
  take(p.d50_mm, "D50", s.d50_mm, s.d50_source);
  take(p.beach_slope, "SLO", s.slope, s.slope_source);
  take(p.breaker_index, "GAM", s.breaker_index, s.breaker_source);
  take(p.porosity, "POR", s.porosity, s.porosity_source);
  given_or_from_dun(p.berm_height, p.dun_berm_height, "BER", "BERM:", s.berm_height, s.berm_source);
  given_or_from_dun(p.closure_depth, p.dun_closure_depth, "CLO", "CLOSURE:", s.closure_depth,
                    s.closure_source);
  return s;
}

RunFacts run_facts(const context::RunContext& ctx) {
  const auto& p = ctx.params;
  RunFacts f;
  f.shoreline = context::is_dunelot_output(p);
  f.krv_mode = p.krv_mode;
  f.random_order = p.random_order;
  f.random_seed = p.random_seed;
  f.period_count = p.period_count;
  f.time_step_hours = p.time_step_hours;
  f.series_length_hours = p.series_length_hours;
  f.station_count = ctx.station_count;
  f.input_event_count = ctx.input_event_count;
  f.output_event_count = ctx.output_event_count;
  f.report_name = std::string(textio::trimmed(p.report_file));
  given_or_from_dun(p.closure_depth, f.shoreline ? p.dun_closure_depth : std::nullopt, "CLO",
                    "CLOSURE:", f.closure_depth, f.closure_source);
  if (f.shoreline)
    f.sediment = sediment_parameters(p);
  return f;
}

// Steady-state mode: the time steps each period's events ask for (their
// repetition counts, which are taken against the whole series) against the
// steps the period has. Surplus steps spill into the next period; missing
// ones keep what the series held there.
std::vector<RunCheck> period_checks(const context::RunContext& ctx) {
  std::vector<RunCheck> checks;
  if (ctx.params.krv_mode != 0)
    return checks;
  const auto& repeats = ctx.event_period_repeats;
  for (std::int32_t p = 0;
       p < repeats.columns && static_cast<std::size_t>(p) < ctx.period_output_events.size(); ++p) {
    std::int64_t asked = 0;
    for (std::int32_t e = 0; e < repeats.rows; ++e) asked += repeats(e, p);
    const std::int64_t has = ctx.period_output_events[static_cast<std::size_t>(p)];
    if (std::abs(static_cast<double>(asked - has)) <= 0.01 * static_cast<double>(has))
      continue;
    checks.push_back(
        {"period_steps",
         "period " + std::to_string(p + 1) + " asks for " + std::to_string(asked) +
             " time steps and has " + std::to_string(has) +
             ": the percentages of a period are taken of the whole series, so a period's "
             "should add up to its share of it (100 / the number of periods); " +
             (asked > has ? "the surplus steps spill into the next period"
                          : "the missing steps keep what the series held there")});
  }
  return checks;
}

std::vector<StationPlace> station_places(const context::RunContext& ctx) {
  std::vector<StationPlace> places(static_cast<std::size_t>(std::max(0, ctx.station_count)));
  const bool shoreline = context::is_dunelot_output(ctx.params);
  for (std::size_t p = 0; p < places.size(); ++p) {
    StationPlace& s = places[p];
    s.i = ctx.station_i[p];
    s.j = ctx.station_j[p];
    s.easting = ctx.station_x[p];
    s.northing = ctx.station_y[p];
    s.depth = wavemodel::station_depth(ctx, static_cast<std::int32_t>(p));
    if (shoreline && p < ctx.station_cell.size())
      s.cell = ctx.station_cell[p];
  }
  return places;
}

ReportModel report_model(const context::RunContext& ctx, std::vector<StationSeries> series,
                         const std::vector<std::string>& names) {
  ReportModel m;
  m.run = run_facts(ctx);
  m.grid = wave_grid_frame(ctx);
  if (m.run.shoreline)
    m.shore = shore_axis(ctx);
  m.stamps = ctx.step_stamp;
  const std::vector<StationPlace> places = station_places(ctx);
  m.stations = station_results(m.grid, m.run.shoreline ? &m.shore : nullptr, places,
                               std::move(series), m.run.closure_depth);
  m.checks = model_checks(m);
  if (m.run.shoreline)
    m.coast = coast_intervals(m.stations, m.run.sediment);
  for (RunCheck& c : period_checks(ctx)) m.checks.push_back(std::move(c));
  m.files = files_of_the_run(ctx, names);
  return m;
}

}  // namespace

SeriesSpans series_spans(const context::RunContext& ctx) {
  SeriesSpans s;
  s.shoreline = context::is_dunelot_output(ctx.params);
  s.steps = static_cast<std::size_t>(std::max(0, ctx.output_event_count));
  s.stations = static_cast<std::size_t>(std::max(0, ctx.station_count));
  const std::size_t cells = s.steps * s.stations;
  if (ctx.out_height.values.size() < cells || ctx.out_period.values.size() < cells ||
      ctx.out_direction.values.size() < cells ||
      static_cast<std::size_t>(std::max(0, ctx.out_height.rows)) != s.steps) {
    s.steps = s.stations = 0;
    return s;
  }
  s.height = std::span<const float>(ctx.out_height.values).first(cells);
  s.period = std::span<const float>(ctx.out_period.values).first(cells);
  s.direction = std::span<const float>(ctx.out_direction.values).first(cells);
  if (s.shoreline)
    s.sediment = sediment_parameters(ctx.params);
  s.depth.resize(s.stations);
  for (std::size_t p = 0; p < s.stations; ++p)
    s.depth[p] = wavemodel::station_depth(ctx, static_cast<std::int32_t>(p));
  return s;
}

std::vector<std::string> report_file_names(const context::RunParameters& p) {
  const std::string page(textio::trimmed(p.report_file));
  std::vector<std::string> names = {page, companion_name(page, "stations"),
                                    companion_name(page, "cells")};
  if (context::is_dunelot_output(p))
    names.push_back(companion_name(page, "transport"));
  return names;
}

std::string companion_name(const std::string& report_name, const std::string& suffix) {
  // A leading dot of the last component belongs to the stem (".r" is a name,
  // not an extension).
  const std::size_t folder = report_name.find_last_of("/\\");
  const std::size_t component = folder == std::string::npos ? 0 : folder + 1;
  const std::size_t dot = report_name.find_last_of('.');
  const bool has_extension = dot != std::string::npos && dot > component;
  return (has_extension ? report_name.substr(0, dot) : report_name) + "_" + suffix + ".csv";
}

context::Status write_run_report(context::RunContext& ctx, std::vector<StationSeries> series) {
  const std::vector<std::string> names = report_file_names(ctx.params);
  for (const std::string& name : names) {
    for (const textio::OutputSummary& made : textio::outputs_made(ctx.outputs)) {
      if (!same_target(name, made.name))
        continue;
      const std::string quote(1, context::quote_mark);
      textio::write_free(ctx.console, "ERROR: Run report would replace an output: " + quote, name,
                         quote);
      return context::Status::error_stop;
    }
  }
  const ReportModel model = report_model(ctx, std::move(series), names);

  for (std::size_t k = 0; k < names.size(); ++k) {
    auto file = textio::create_output(ctx.outputs, names[k]);
    textio::write_free(ctx.console, context::writing(ctx.outputs, "run report file: "), names[k]);
    if (k == 0) {
      Page page{file};
      write_report_page(page, model);
    } else if (k == 1) {
      write_station_table(file, model);
    } else if (k == 2) {
      write_cell_table(file, model);
    } else {
      write_transport_table(file, model);
    }
    textio::complete_output(ctx.outputs, file);
  }
  if (ctx.outputs.check_only)
    print_checks(ctx.console, model);
  return context::Status::ok;
}

}  // namespace report
