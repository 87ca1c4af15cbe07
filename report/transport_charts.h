// report/transport_charts.h: the run report's sand transport (Dunelot
// output): the section along the coast with the values used, the yearly
// rates of the three formulas against alongshore distance and the initial
// shoreline change between stations; and each station's equilibrium curve.
#pragma once

#include "report/markup.h"
#include "report/report_model.h"

namespace report {

void write_transport_section(Page& page, const ReportModel& model);

// The CERC net rate for the shore normal turned by -45 .. 45 degrees, its
// zero marked.
void write_equilibrium_curve(Page& page, const StationTransport& t);

}  // namespace report
