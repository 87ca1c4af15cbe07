#include "run/run_sequence.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "context/status.h"
#include "context/table_memory.h"
#include "convert/conversion.h"
#include "convert/directions.h"
#include "convert/station_positions.h"
#include "convert/time_axis.h"
#include "report/run_report.h"
#include "report/station_results.h"
#include "run/control_file.h"
#include "run/output_names.h"
#include "shoreline/shoreline_output.h"
#include "textio/free_writer.h"
#include "textio/io_error.h"
#include "textio/output_set.h"
#include "wavemodel/wave_inputs.h"

namespace run {

// The driver stands on the run's shared state.
using namespace context;
namespace {

constexpr const char* rule_line = "========================================================";
constexpr const char* box_line = "        +-------------------------------------+         ";

// The phases that can end in an error stop, in their order.
Status run_phases(RunContext& ctx) {
  if (load_control_file(ctx) == Status::error_stop)
    return Status::error_stop;
  print_parameter_echo(ctx);
  if (open_wave_inputs(ctx) == Status::error_stop)
    return Status::error_stop;

  if (wavemodel::read_wave_model_counts(ctx) == Status::error_stop)
    return Status::error_stop;
  if (convert::start_time_axis(ctx) == Status::error_stop)
    return Status::error_stop;
  if (wavemodel::read_wave_model_values(ctx) == Status::error_stop)
    return Status::error_stop;
  if (is_dunelot_output(ctx.params)) {
    if (shoreline::read_shoreline_parameters(ctx) == Status::error_stop) {
      return Status::error_stop;
    }
  }
  close_wave_inputs(ctx);

  if (const Status s = convert::build_time_axis(ctx); s != Status::ok)
    return s;
  convert::convert_directions(ctx);
  if (convert::order_events_and_build_series(ctx) == Status::error_stop)
    return Status::error_stop;
  // The run report's statistics and sand transport are worked out beside the
  // writing of the outputs, on as many threads as the run may use, a part of
  // the stations each: they only read the output series. The futures are waited for before the
  // context goes.
  std::vector<std::future<std::vector<report::StationSeries>>> station_series;
  if (report_requested(ctx.params)) {
    const report::SeriesSpans spans = report::series_spans(ctx);
    const std::size_t parts = ctx.thread_count;
    for (std::size_t k = 0; k < parts; ++k) {
      station_series.push_back(
          std::async(std::launch::async | std::launch::deferred, [spans, k, parts] {
            return report::summarize_station_series(spans, spans.stations * k / parts,
                                                    spans.stations * (k + 1) / parts);
          }));
    }
  }
  if (convert::place_stations(ctx) == Status::error_stop)
    return Status::error_stop;
  if (refuse_outputs_over_inputs(ctx) == Status::error_stop)
    return Status::error_stop;

  if (is_map_output(ctx.params)) {
    shoreline::write_map_file(ctx);
  } else if (is_dunelot_output(ctx.params)) {
    shoreline::write_shoreline_outputs(ctx);
  }
  if (report_requested(ctx.params)) {
    std::vector<report::StationSeries> series;
    for (auto& part : station_series) {
      for (report::StationSeries& s : part.get()) series.push_back(std::move(s));
    }
    return report::write_run_report(ctx, std::move(series));
  }
  return Status::ok;
}

// One line from standard input without its line end; false at its end.
bool read_console_line(std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(stdin)) != EOF) {
    if (c == '\n')
      return true;
    line.push_back(static_cast<char>(c));
  }
  return !line.empty();
}

}  // namespace

void print_banner(textio::OutputFile& console) {
  static constexpr const char* middle[] = {
      box_line,
      "                      quilbar                           ",
      box_line,
      "                  Build: 02 AUG 2012                    ",
      "                      quilbar.exe                       ",
      "",
      "    PURPOSE:                                            ",
      "      Converts KRV-Wave station output data (selhts.out)",
      "      to either:                                        ",
      "",
      "      1) TGM *.map file for Dunelot wave input from     ",
      "           TGM Map Module; or                           ",
      "      2) Dunelot *.dun and *.wave files for direct      ",
      "           Dunelot wave input.                          ",
      "",
  };
  textio::write_free(console);
  textio::write_free(console);
  textio::write_free(console, rule_line);
  textio::write_free(console);
  for (const char* line : middle) {
    if (*line == '\0') {
      textio::write_free(console);
    } else {
      textio::write_free(console, line);
    }
  }
  textio::write_free(console, rule_line);
  textio::write_free(console);
  textio::write_free(console);
}

void pause_for_user(textio::OutputFile& console) {
  std::string line;
  for (;;) {
    textio::write_free(console, "quilbar Pause - Enter command<CR> or <CR> to continue.");
    textio::flush(console);
    if (!read_console_line(line))
      return;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty())
      return;
    std::fflush(nullptr);
    [[maybe_unused]] int rc = std::system(line.c_str());
  }
}

int run_quilbar(const RunOptions& options) {
#ifdef SIGXFSZ
  // Past a file-size limit a write is to fail with its report, the run's
  // outputs given up, rather than the process be killed mid-write.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  // Without its control file the run can only report the fault; a user who
  // started it in the wrong folder is told where it looks.
  const bool no_control_file = !textio::file_exists(control_file_name);
  try {
    RunContext ctx;
    ctx.outputs.check_only = options.check_only;
    ctx.thread_count = options.threads > 0 ? options.threads : 1;
    ctx.console = textio::console_output();
    print_banner(ctx.console);
    const Status status = run_phases(ctx);
    if (status == Status::error_stop) {
      pause_for_user(ctx.console);
      textio::flush(ctx.console);
      return 1;
    }
    if (status == Status::fault)
      return 2;  // reported by the step
    if (options.check_only) {
      textio::write_free(ctx.console, "Check only: no file was written.");
    } else {
      textio::commit_outputs(ctx.outputs);
    }
    textio::flush(ctx.console);
    return 0;
  } catch (const textio::IoError& e) {
    // The run's context, its unfinished outputs with it, is gone by now.
    textio::write_report(e.report());
    if (no_control_file && !textio::file_exists(control_file_name)) {
      textio::write_report(std::string("run quilbar in the folder that holds ") +
                           control_file_name + ", or name it with -C DIR");
    }
    return 2;
  } catch (const std::bad_alloc&) {
    // Tables are sized from counts in the inputs; counts no machine can hold
    // end the run with a report rather than an abort.
    textio::write_report("not enough memory for the run's tables");
    return 2;
  }
}

}  // namespace run
