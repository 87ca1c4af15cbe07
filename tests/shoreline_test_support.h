// tests/shoreline_test_support.h: small run contexts and captured output for
// the shoreline unit tests.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "context/run_context.h"
#include "tests/support.h"
#include "textio/output_file.h"
#include "textio/output_set.h"

namespace shoreline_test {

using testing_support::CapturedConsole;
using testing_support::InScratchDir;

using testing_support::label_of;
using testing_support::stamp_of;

// Stations on a 3 x 2 wave grid whose depth in stored row k, column i is
// 10 (k + 1) + i + 1; the series hold height 1 + 0.5 j + s, period 8 + j and
// direction 10 (s + 1) + j at step j (from 0) of station s (from 0).
inline context::RunContext small_context(std::int32_t stations, std::int32_t steps) {
  context::RunContext ctx;
  ctx.station_count = stations;
  ctx.output_event_count = steps;
  ctx.grid_ni = 3;
  ctx.grid_nj = 2;
  context::create_table(ctx.depth_grid, 3, 2);
  for (std::int32_t k = 0; k < 2; ++k) {
    for (std::int32_t i = 0; i < 3; ++i) {
      ctx.depth_grid(i, k) = static_cast<float>(10 * (k + 1) + i + 1);
    }
  }
  for (std::int32_t s = 0; s < stations; ++s) {
    ctx.station_i.push_back(s % 3 + 1);
    ctx.station_j.push_back(s % 2 + 1);
    ctx.station_x.push_back(1000.0 + 100.0 * s);
    ctx.station_y.push_back(2000.0 + 50.0 * s);
    ctx.station_cell.push_back(s + 2);
  }
  context::create_table(ctx.out_height, steps, stations);
  context::create_table(ctx.out_period, steps, stations);
  context::create_table(ctx.out_direction, steps, stations);
  for (std::int32_t s = 0; s < stations; ++s) {
    for (std::int32_t j = 0; j < steps; ++j) {
      ctx.out_height(j, s) = 1.0f + 0.5f * static_cast<float>(j) + static_cast<float>(s);
      ctx.out_period(j, s) = 8.0f + static_cast<float>(j);
      ctx.out_direction(j, s) = static_cast<float>(10 * (s + 1) + j);
    }
  }
  const char* stamps[] = {"20120315060000", "20120315063000", "20120315070000", "20120315073000"};
  const char* labels[] = {"03/15/2012 06:00:00 AM", "03/15/2012 06:30:00 AM",
                          "03/15/2012 07:00:00 AM", "03/15/2012 07:30:00 AM"};
  for (std::int32_t j = 0; j < steps; ++j) {
    ctx.step_stamp.push_back(stamp_of(stamps[j % 4]));
    ctx.step_label.push_back(label_of(labels[j % 4]));
    // The writers show row j at step j; a reversed step_slot must not matter.
    ctx.step_slot.push_back(steps - j);
  }
  return ctx;
}

// The records of a written text, without their CR LF ends.
inline std::vector<std::string> records_of(const std::string& text) {
  std::vector<std::string> records;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos)
      end = text.size();
    records.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return records;
}

}  // namespace shoreline_test
