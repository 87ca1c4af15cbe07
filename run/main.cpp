// The quilbar program: converts wave-model station output into shoreline-model
// wave input. All work is done by run::run_quilbar.
#include <cstdio>
#include <new>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "run/run_sequence.h"
#include "textio/file_removal.h"
#include "textio/io_error.h"

int main() {
#ifdef _WIN32
  // Records end in CR LF already; text mode would add a second CR.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  try {
    const int status = run::run_quilbar();
    textio::finish_removals();  // the files the outputs replaced
    return status;
  } catch (const textio::IoError& e) {
    std::fflush(stdout);
    // Written whole: a file name in the report may hold any byte.
    const std::string report = std::string("quilbar: ") + e.report() + "\n";
    std::fwrite(report.data(), 1, report.size(), stderr);
    return 2;
  } catch (const std::bad_alloc&) {
    // Tables are sized from counts in the inputs; counts no machine can hold
    // end the run with a report rather than an abort.
    std::fflush(stdout);
    std::fprintf(stderr, "quilbar: not enough memory for the run's tables\n");
    return 2;
  }
}
