// report/plan_view.h: the run report's map of the run: the wave grid with its
// depths, the stations, and for the Dunelot output the shoreline grid's axis
// and cells, where each station projects onto it and which way its waves go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/markup.h"
#include "report/report_model.h"

namespace report {

// The plan view as one SVG element and its legend, in map coordinates: north
// up, equal scales, a scale bar. At most about max_shaded_cells x
// max_shaded_cells cells of the depth grid are shaded: larger grids are shown
// by the mean depth of blocks of cells.
inline constexpr int max_shaded_cells = 200;
void write_plan_view(Page& page, const ReportModel& model);

// The colour class of a depth: "dl" for land (0 m or less), else d0 .. d7 by
// steps of `step` metres.
const char* depth_class(double depth, double step);

// A round step (1, 2 or 5 times a power of ten) of at least range / parts.
double nice_step(double range, int parts);

// The ticks start, start + step, ... up to end, each the one before plus the
// step. None when the step is not positive, the values are not finite, or
// there would be more than max_ticks of them: no geometry of a run makes a
// tick loop walk without end or write without bound.
inline constexpr std::int64_t max_ticks = 1000;
struct TickRange {
  double start = 0.0, step = 1.0;
  std::int64_t count = 0;
};
TickRange ticks_from(double start, double end, double step);

// Every n-th of `count` items so that about `parts` remain (a round n, at
// least 1).
std::size_t every_nth(double count, int parts);

}  // namespace report
