// report/plan_view.h: the run report's map of the run: the wave grid with its
// depths, the stations, and for the Dunelot output the shoreline grid's axis
// and cells, where each station projects onto it and which way its waves go.
#pragma once

#include <vector>

#include "context/run_context.h"
#include "report/markup.h"
#include "report/station_results.h"

namespace report {

// The plan view as one SVG element and its legend, in map coordinates: north
// up, equal scales, a scale bar. At most about max_shaded_cells x
// max_shaded_cells cells of the depth grid are shaded: larger grids are shown
// by the mean depth of blocks of cells.
inline constexpr int max_shaded_cells = 200;
void write_plan_view(Page& page, const context::RunContext& ctx,
                     const std::vector<StationResult>& stations);

// The colour class of a depth: "dl" for land (0 m or less), else d0 .. d7 by
// steps of `step` metres.
const char* depth_class(double depth, double step);

// A round step (1, 2 or 5 times a power of ten) of at least range / parts.
double nice_step(double range, int parts);

}  // namespace report
