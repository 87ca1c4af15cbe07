#include "wavemodel/frequency_table.h"

#include <span>

#include "textio/free_format.h"

namespace wavemodel {

void create_frequency_tables(std::int32_t input_event_count, std::int32_t period_count,
                             context::Table<float>& event_period_percent,
                             context::Table<float>& event_period_fraction,
                             context::Table<std::int32_t>& event_period_repeats,
                             std::vector<std::int32_t>& period_output_events) {
  // With no input event the table is empty and the share is never formed.
  const float share = input_event_count > 0 ? 100.0f / static_cast<float>(input_event_count) : 0.0f;
  context::create_table(event_period_percent, input_event_count, period_count, share);
  context::create_table(event_period_fraction, input_event_count, period_count, 0.0f);
  context::create_table<std::int32_t>(event_period_repeats, input_event_count, period_count, 0);
  context::create_list<std::int32_t>(period_output_events, period_count, 0);
}

void read_frequency_file(textio::RecordFile& frequency_file,
                         context::Table<float>& event_period_percent) {
  context::Table<float>& percent = event_period_percent;
  if (percent.columns == 0)
    return;
  // An event's percentages lie across the table's columns; they are read into
  // one reused row and copied back.
  std::vector<float> row(static_cast<std::size_t>(percent.columns));
  for (std::int32_t e = 0; e < percent.rows; ++e) {
    for (std::int32_t p = 0; p < percent.columns; ++p) row[p] = percent(e, p);
    const textio::ReadStatus status = textio::read_free(frequency_file, std::span<float>(row));
    for (std::int32_t p = 0; p < percent.columns; ++p) percent(e, p) = row[p];
    if (status == textio::ReadStatus::end_of_file)
      return;
  }
}

void split_output_events(std::int32_t output_event_count,
                         std::vector<std::int32_t>& period_output_events) {
  const auto period_count = static_cast<std::int32_t>(period_output_events.size());
  for (auto& events : period_output_events) events = output_event_count / period_count;
}

}  // namespace wavemodel
