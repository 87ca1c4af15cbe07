// wavemodel/frequency_table.h: the tables by input event and period: the
// percentage of occurrence of each event in each period (steady-state mode
// reads them from the frequency file) and the output events of each period.
#pragma once

#include <cstdint>
#include <vector>

#include "context/table.h"
#include "textio/record_file.h"

namespace wavemodel {

// Creates event_period_percent, event_period_fraction, event_period_repeats
// (input_event_count, period_count) and period_output_events (period_count).
// Every percentage is 100 / input_event_count in 4-byte arithmetic; the rest
// is zero.
void create_frequency_tables(std::int32_t input_event_count, std::int32_t period_count,
                             context::Table<float>& event_period_percent,
                             context::Table<float>& event_period_fraction,
                             context::Table<std::int32_t>& event_period_repeats,
                             std::vector<std::int32_t>& period_output_events);

// Reads one entry per input event from the frequency file, each starting on a
// new record and holding one percentage per period. The end of the file ends
// the reading; an entry with a value that is no number keeps the numbers before
// it and the defaults after it, and the next entry starts on the next record.
void read_frequency_file(textio::RecordFile& frequency_file,
                         context::Table<float>& event_period_percent);

// Every period gets output_event_count / period_count output events (truncated);
// the remainder belongs to no period.
void split_output_events(std::int32_t output_event_count,
                         std::vector<std::int32_t>& period_output_events);

}  // namespace wavemodel
