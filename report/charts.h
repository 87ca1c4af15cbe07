// report/charts.h: the run report's pictures of one station and of the
// coast: the wave rose, the envelope of the heights over the output time
// axis, and the longshore energy flux along the shoreline grid; each an
// inline SVG element with its axes and units.
#pragma once

#include <span>
#include <vector>

#include "context/stamp.h"
#include "report/markup.h"
#include "report/report_model.h"

namespace report {

// The rose of a station's output directions (where the waves come from), its
// sectors split by height class, radii in percent of the steps. For the
// Dunelot output it is drawn as seen from the shore looking out to sea: up is
// the shore normal (0), positive directions to the left; else north up.
void write_rose(Page& page, const PercentTable& rose, bool shoreline);

// The least and greatest height of each part of the output time axis.
void write_height_plot(Page& page, const StationSeries& series,
                       std::span<const context::Stamp> stamps);

// The mean longshore energy flux of each station against its alongshore
// distance, with the shoreline cells' edges (Dunelot output).
void write_flux_plot(Page& page, const ReportModel& model);

// Value ticks from `low` to `max_value` every `step` along the left of a plot
// `height` high from `top`, with grid lines across to `right`.
void write_value_axis(Page& page, double left, double top, double height, double max_value,
                      double step, double low = 0.0, double right = 1000.0);

// A stamp yyyymmddHHMMSS as "yyyy-mm-dd HH:MM" (or only the date).
std::string stamp_text(const context::Stamp& stamp, bool with_time);

}  // namespace report
