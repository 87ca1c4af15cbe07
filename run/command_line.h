// run/command_line.h: the program's options. Without any, the run is the
// batch run the modelling front end starts; options ask for help, the
// version, another folder, or a check-only run.
#pragma once

namespace run {

// Reads the options, then runs (or answers) as they ask; returns the exit
// status. An argument that is no option is refused before anything is read
// or written.
int run_command_line(int argc, const char* const* argv);

}  // namespace run
