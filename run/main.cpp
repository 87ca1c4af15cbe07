// The quilbar program: converts wave-model station output into shoreline-model
// wave input. All work is done by run::run_command_line.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "run/command_line.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Records end in CR LF already; text mode would add a second CR.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return run::run_command_line(argc, argv);
}
