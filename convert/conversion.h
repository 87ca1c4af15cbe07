// convert/conversion.h: the conversion core's steps as the run sequence calls them.
#pragma once

#include <random>

#include "run/run_context.h"
#include "run/status.h"

namespace convert {

// Creates the stamp and label tables and writes the start into the first stamp;
// error_stop when they would not fit in memory.
run::Status start_time_axis(run::RunContext& ctx);
// Fills the other stamps and every label; error_stop for a start that is no date.
run::Status build_time_axis(run::RunContext& ctx);
// World directions, shoreline azimuth defaulting and shoreline directions.
void convert_directions(run::RunContext& ctx);
// Index tables, repetitions, shuffles, laying down of events, output series.
// Row t of the output series is what output time step t shows. The random
// order comes from one engine seeded with the run's seed, or without one
// from a fresh engine per period. error_stop for a repetition count past the
// 4-byte integer range.
run::Status order_events_and_build_series(run::RunContext& ctx);
// The same with every period's random order drawn from `engine`; a null
// engine seeds a fresh one per period.
run::Status order_events_and_build_series(run::RunContext& ctx, std::mt19937_64* engine);
// Creates the station tables and fills the positions in map coordinates;
// error_stop when the tables would not fit in memory.
run::Status place_stations(run::RunContext& ctx);

}  // namespace convert
