// convert/conversion.h: the event order and the output series, the run's step
// over the operations of event_order.h and wave_series.h.
#pragma once

#include <random>

#include "context/run_context.h"
#include "context/status.h"

namespace convert {

// Index tables, repetitions, shuffles, laying down of events, output series.
// Row t of the output series is what output time step t shows. The random
// order comes from one engine seeded with the run's seed, or without one
// from a fresh engine per period. error_stop for a repetition count past the
// 4-byte integer range.
context::Status order_events_and_build_series(context::RunContext& ctx);
// The same with every period's random order drawn from `engine`; a null
// engine seeds a fresh one per period.
context::Status order_events_and_build_series(context::RunContext& ctx, std::mt19937_64* engine);

}  // namespace convert
