// report/charts.h: the run report's pictures of one station and of the
// coast: the wave rose, the envelope of the heights over the output time
// axis, and the longshore energy flux along the shoreline grid; each an
// inline SVG element with its axes and units.
#pragma once

#include <span>
#include <string_view>
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

// A plot against alongshore distance: its frame in SVG units and its scales.
struct CoastPlot {
  double left = 0.0, top = 0.0, height = 0.0, right = 0.0;
  double near = 0.0, far = 1.0;  // alongshore distances at left and right, m
  double low = 0.0, high = 1.0;  // values at the bottom and the top
  double x(double distance) const {
    return left + (right - left) * (distance - near) / (far - near);
  }
  double y(double value) const { return top + height * (high - value) / (high - low); }
};
// A plot of values low .. high (rounded out to a round step, given back in
// `step`) against distances near .. far (at least 1 m apart).
CoastPlot coast_plot(double left, double top, double height, double right, double near, double far,
                     double low, double high, double& step);
// The cell edges of the shoreline grid across the plot: every one, or every
// n-th past 40 cells.
void write_cell_edges(Page& page, const CoastPlot& plot, const std::vector<double>& edges);
// The alongshore distance ticks and title under the plot, the value unit at
// its top left; closes the SVG element.
void write_distance_axis(Page& page, const CoastPlot& plot, std::string_view unit);

// A stamp yyyymmddHHMMSS as "yyyy-mm-dd HH:MM" (or only the date).
std::string stamp_text(const context::Stamp& stamp, bool with_time);

}  // namespace report
