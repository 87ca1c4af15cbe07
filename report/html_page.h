// report/html_page.h: the run report's page: one self-contained file (inline
// CSS and SVG, no script, nothing fetched) in markup an XML parser reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "context/run_context.h"
#include "report/markup.h"
#include "report/station_results.h"

namespace report {

struct FileEntry {
  std::string name;
  std::optional<std::uintmax_t> bytes;  // nothing: not known
  std::string note;                     // such as "this page"
};

struct PageFiles {
  std::vector<FileEntry> read, written;
};

void write_report_page(Page& page, const context::RunContext& ctx,
                       const std::vector<StationResult>& stations, const PageFiles& files);

}  // namespace report
