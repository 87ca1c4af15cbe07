// convert/conversion.h: the conversion core's steps as the run sequence calls them.
#pragma once

#include <random>

#include "run/run_context.h"
#include "run/status.h"

namespace convert {

// Creates the stamp and label tables and writes the start into the first stamp.
void start_time_axis(run::RunContext& ctx);
// Fills the other stamps and every label; error_stop for a start that is no date.
run::Status build_time_axis(run::RunContext& ctx);
// World directions, shoreline azimuth defaulting and shoreline directions.
void convert_directions(run::RunContext& ctx);
// Index tables, repetitions, shuffles, laying down of events, output series.
// Row t of the output series is what output time step t shows.
void order_events_and_build_series(run::RunContext& ctx);
// The same with every period's random order drawn from `engine` (a fixed seed
// in tests); a null engine seeds a fresh one per period.
void order_events_and_build_series(run::RunContext& ctx, std::mt19937_64* engine);
// Station positions in map coordinates.
void place_stations(run::RunContext& ctx);

}  // namespace convert
