#include "run/output_names.h"

#include "context/console.h"
#include "report/run_report.h"
#include "run/control_file.h"
#include "shoreline/control_rewrite.h"
#include "shoreline/wave_files.h"
#include "textio/file_identity.h"
#include "textio/free_writer.h"
#include "textio/record_file.h"

namespace run {

std::vector<std::string> input_names(const context::RunContext& ctx) {
  std::vector<std::string> names{control_file_name};
  for (context::InputFile& f : context::input_files(ctx.params)) names.push_back(std::move(f.name));
  return names;
}

std::vector<std::string> output_names(const context::RunContext& ctx) {
  const context::RunParameters& p = ctx.params;
  std::vector<std::string> names;
  if (context::is_map_output(p)) {
    names.emplace_back(textio::trimmed(p.map_file));
  } else if (context::is_dunelot_output(p)) {
    const std::string dun(textio::trimmed(p.dun_file));
    names.push_back(textio::file_exists(dun) ? shoreline::rewritten_dun_name(p.dun_file)
                                             : std::string(textio::trimmed(p.dun_waves_file)));
    for (std::int32_t station = 1; station <= ctx.station_count; ++station)
      names.push_back(shoreline::wave_file_name(station));
  }
  if (context::report_requested(p)) {
    for (std::string& name : report::report_file_names(p)) names.push_back(std::move(name));
  }
  return names;
}

context::Status refuse_outputs_over_inputs(context::RunContext& ctx) {
  const std::vector<std::string> outputs = output_names(ctx);
  const std::size_t k = textio::first_same_file(outputs, input_names(ctx));
  if (k == outputs.size())
    return context::Status::ok;
  const std::string quote(1, context::quote_mark);
  textio::write_free(ctx.console, "ERROR: Output file would replace an input file: " + quote,
                     outputs[k], quote);
  return context::Status::error_stop;
}

}  // namespace run
