// The quilbar program: converts wave-model station output into shoreline-model
// wave input. All work is done by run::run_quilbar.
#include <cstdio>

#include "run/run_sequence.h"
#include "textio/io_error.h"

int main() {
  try {
    return run::run_quilbar();
  } catch (const textio::IoError& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "quilbar: %s\n", e.what());
    return 2;
  }
}
