// run/run_sequence.h: the program's run, from the banner to the end.
#pragma once

#include "context/run_context.h"

namespace run {

void print_banner(textio::OutputFile& console);
// The pause of an error stop: prompt, then wait for an empty line (or the end
// of standard input); a non-empty line goes to the command interpreter.
void pause_for_user(textio::OutputFile& console);

struct RunOptions {
  // Read and compute everything, print what the run would print ("Would
  // write ..." for each output), create no file.
  bool check_only = false;
  // Threads for work whose results do not depend on them; 1: one thread.
  unsigned threads = 1;
};

// Runs the whole program in the working directory; returns the exit status:
// 0 normal end, 1 error stop, 2 a file error reported on standard error (the
// run's outputs then given up, every earlier one left as it was).
int run_quilbar(const RunOptions& options = {});

}  // namespace run
