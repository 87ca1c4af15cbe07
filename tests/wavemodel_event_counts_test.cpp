#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "context/console.h"
#include "context/run_context.h"
#include "tests/wavemodel_support.h"
#include "wavemodel/event_counts.h"

namespace {

using testing_support::crlf_records;
using testing_support::written_text;

TEST(wavemodel_event_counts, steady_state_count_rounds_half_away_from_zero) {
  struct Case {
    float length, step;
    std::optional<std::int32_t> count;
  };
  const float inf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {8760.0f, 1.0f, 8760},
      {8760.0f, 3.0f, 2920},
      {8760.0f, 7.0f, 1251},  // 1251.43
      {10.0f, 4.0f, 3},       // 2.5
      {-10.0f, 4.0f, -3},
      {9.0f, 4.0f, 2},  // 2.25
      {1.0f, 3.0f, 0},
      {0.0f, 5.0f, 0},
      {8760.0f, 0.0f, std::nullopt},  // the default time step
      {0.0f, 0.0f, std::nullopt},
      {-1.0f, 0.0f, std::nullopt},
      {inf, 1.0f, std::nullopt},
      {2147483520.0f, 1.0f, 2147483520},  // the largest float below 2^31
      {2147483648.0f, 1.0f, std::nullopt},
      {-2147483648.0f, 1.0f, std::numeric_limits<std::int32_t>::min()},
      {-2147483904.0f, 1.0f, std::nullopt},
      {1.0e30f, 1.0e-10f, std::nullopt},  // finite operands, overflowing quotient
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " / " << c.step);
    EXPECT_EQ(wavemodel::steady_state_event_count(c.length, c.step), c.count);
  }
}

TEST(wavemodel_event_counts, time_series_mode_keeps_input_order) {
  struct Case {
    std::int8_t krv_mode, random_order;
  };
  const Case cases[] = {{1, 1}, {1, 0}, {5, 1}, {-1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.krv_mode} << " " << int{c.random_order});
    context::RunContext ctx;
    ctx.params.krv_mode = c.krv_mode;
    ctx.params.random_order = c.random_order;
    ctx.params.time_step_hours = 0.0f;  // no matter in this mode
    ctx.input_event_count = 17;
    EXPECT_EQ(wavemodel::count_output_events(ctx), context::Status::ok);
    EXPECT_EQ(ctx.output_event_count, 17);
    EXPECT_EQ(ctx.params.krv_mode, 1);
    EXPECT_EQ(ctx.params.random_order, 0);
  }
}

TEST(wavemodel_event_counts, steady_state_mode_keeps_its_flags) {
  context::RunContext ctx;
  ctx.params.krv_mode = 0;
  ctx.params.random_order = 1;
  ctx.params.series_length_hours = 8760.0f;
  ctx.params.time_step_hours = 3.0f;
  ctx.input_event_count = 17;
  EXPECT_EQ(wavemodel::count_output_events(ctx), context::Status::ok);
  EXPECT_EQ(ctx.output_event_count, 2920);
  EXPECT_EQ(ctx.params.krv_mode, 0);
  EXPECT_EQ(ctx.params.random_order, 1);
}

TEST(wavemodel_event_counts, steady_state_mode_refuses_a_zero_time_step) {
  context::RunContext ctx;
  ctx.params.krv_mode = 0;
  context::Status status = context::Status::ok;
  const std::string text = written_text([&](textio::OutputFile& out) {
    ctx.console = std::move(out);
    status = wavemodel::count_output_events(ctx);
    out = std::move(ctx.console);
  });
  EXPECT_EQ(status, context::Status::error_stop);
  EXPECT_EQ(text, crlf_records({" ERROR: Output time series timestep (hours) must not be 0 in "
                                "steady state mode!"}));
}

TEST(wavemodel_event_counts, console_lines) {
  const std::string text =
      written_text([](textio::OutputFile& out) { wavemodel::print_event_counts(out, 3, 2920); });
  EXPECT_EQ(text, crlf_records({" Number of input wave events:             3",
                                " Number of output wave events:         2920", "",
                                std::string(" ") + context::separator_line, ""}));
}

}  // namespace
