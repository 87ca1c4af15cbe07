// report/html_page.h: the run report's page: one self-contained file (inline
// CSS and SVG, no script, nothing fetched) in markup an XML parser reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/markup.h"
#include "report/report_model.h"

namespace report {

void write_report_page(Page& page, const ReportModel& model);

}  // namespace report
