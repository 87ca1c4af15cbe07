// The control file: arbitrary text as quilbar.ctrl in a scratch directory,
// loaded and echoed; the console goes to a scratch file.
#include <cstdint>

#include "context/run_context.h"
#include "fuzz/fuzz_support.h"
#include "run/control_file.h"
#include "textio/io_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::InScratchDirectory in_scratch;
  fuzz::write_file(run::control_file_name, fuzz::input_text(data, size));
  context::RunContext ctx;
  ctx.console = fuzz::scratch_output();
  try {
    if (run::load_control_file(ctx) == context::Status::ok) {
      const context::RunParameters& p = ctx.params;
      for (const std::string* name : {&p.sim_file, &p.std_file, &p.station_output_file, &p.dep_file,
                                      &p.frequency_file, &p.map_file, &p.dun_file, &p.shdx_file}) {
        fuzz::require(name->size() == context::file_name_length, "a file name of the wrong length");
      }
      fuzz::require(p.output_format.size() == context::output_format_length,
                    "an output format of the wrong length");
      run::print_parameter_echo(ctx);
    }
  } catch (const textio::IoError&) {
    // A failed read or write of the text layer: the expected report.
  }
  return 0;
}
