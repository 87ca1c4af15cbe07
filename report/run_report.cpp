#include "report/run_report.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "context/console.h"
#include "report/csv_files.h"
#include "report/html_page.h"
#include "textio/free_writer.h"
#include "textio/output_set.h"

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

PageFiles files_of_the_run(const context::RunContext& ctx, const std::string (&report)[3]) {
  const auto& p = ctx.params;
  PageFiles files;
  const auto read = [&](const std::string& padded, const char* what) {
    const std::string name(textio::trimmed(padded));
    files.read.push_back({name, size_of(name), what});
  };
  read(p.sim_file, "KRV-Wave simulation");
  read(p.std_file, "KRV-Wave station list");
  read(p.station_output_file, "KRV-Wave station output");
  read(p.dep_file, "KRV-Wave depth grid");
  if (p.krv_mode == 0)
    read(p.frequency_file, "frequency of occurrence");
  if (context::is_dunelot_output(p)) {
    const std::string dun(textio::trimmed(p.dun_file));
    if (const auto bytes = size_of(dun))  // a missing one is not read
      files.read.push_back({dun, bytes, "Dunelot control file"});
    if (p.shore_dx == -1.0)
      read(p.shdx_file, "Dunelot cell widths");
  }
  for (const auto& entry : ctx.outputs.entries)
    files.written.push_back({entry.name, size_of(entry.temp_name), ""});
  files.written.push_back({report[0], std::nullopt, "this page"});
  files.written.push_back({report[1], std::nullopt, "station table"});
  files.written.push_back({report[2], std::nullopt, "cell table"});
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
// flag raised with its stations and what it usually means, in the page's
// order.
void print_checks(textio::OutputFile& console, const std::vector<StationResult>& stations) {
  bool any = false;
  for (const StationFlag f : all_flags) {
    std::string with;
    std::size_t count = 0;
    for (std::size_t p = 0; p < stations.size(); ++p) {
      if ((stations[p].flags & f) == 0)
        continue;
      with += (count++ == 0 ? "" : ", ") + std::to_string(p + 1);
    }
    if (count == 0)
      continue;
    any = true;
    print_wrapped(console, "Check: " + flag_names(f) + (count == 1 ? " station " : " stations ") +
                               with + ": " + flag_explanation(f) + ".");
  }
  if (!any)
    textio::write_free(console, "Check: no station is flagged.");
}

}  // namespace

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
  const std::string page_name(textio::trimmed(ctx.params.report_file));
  const std::string names[3] = {page_name, companion_name(page_name, "stations"),
                                companion_name(page_name, "cells")};
  for (const std::string& name : names) {
    for (const auto& entry : ctx.outputs.entries) {
      if (!same_target(name, entry.name))
        continue;
      const std::string quote(1, context::quote_mark);
      textio::write_free(ctx.console, "ERROR: Run report would replace an output: " + quote, name,
                         quote);
      return context::Status::error_stop;
    }
  }
  const PageFiles files = files_of_the_run(ctx, names);
  const std::vector<StationResult> stations = station_results(ctx, std::move(series));

  auto page_file = textio::create_output(ctx.outputs, names[0]);
  textio::write_free(ctx.console, context::writing(ctx.outputs, "run report file: "), names[0]);
  Page page{page_file};
  write_report_page(page, ctx, stations, files);
  textio::complete_output(ctx.outputs, page_file);

  auto station_file = textio::create_output(ctx.outputs, names[1]);
  textio::write_free(ctx.console, context::writing(ctx.outputs, "run report file: "), names[1]);
  write_station_table(station_file, ctx, stations);
  textio::complete_output(ctx.outputs, station_file);

  auto cell_file = textio::create_output(ctx.outputs, names[2]);
  textio::write_free(ctx.console, context::writing(ctx.outputs, "run report file: "), names[2]);
  write_cell_table(cell_file, ctx, stations);
  textio::complete_output(ctx.outputs, cell_file);
  if (ctx.outputs.check_only)
    print_checks(ctx.console, stations);
  return context::Status::ok;
}

}  // namespace report
