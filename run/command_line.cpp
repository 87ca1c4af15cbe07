#include "run/command_line.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "context/version.h"
#include "run/run_sequence.h"
#include "textio/io_error.h"

namespace run {
namespace {

constexpr const char* usage =
    "Usage: quilbar [-C DIR | --directory=DIR] [--check]\n"
    "       quilbar --help | --version\n"
    "\n"
    "Turns KRV-Wave station output into wave input for the shoreline model\n"
    "Dunelot: a TGM map file, or a Dunelot control file and one *.wave file per\n"
    "station, as the control file quilbar.ctrl asks. quilbar.ctrl is read from\n"
    "the working directory, or from DIR with -C.\n"
    "\n"
    "Options:\n"
    "  -C DIR, --directory=DIR  run in DIR, as if quilbar were started there\n"
    "  --check                  read and check everything as a run does, print what\n"
    "                           it would print (\"Would write ...\"), write nothing\n"
    "  --help                   print this text and end\n"
    "  --version                print the version and end\n"
    "\n"
    "Exit status: 0 a normal end, 1 an error stop, 2 a file error or a wrong\n"
    "argument. The control file, the files and every message: man quilbar\n";

// The system the program was built for, and by what.
std::string platform() {
  std::string text = "built for ";
#if defined(_WIN32)
  text += "Windows";
#elif defined(__linux__)
  text += "Linux";
#else
  text += "an unnamed system";
#endif
#if defined(__x86_64__) || defined(_M_X64)
  text += " x86_64";
#elif defined(__aarch64__)
  text += " aarch64";
#endif
#if defined(__clang__)
  text += " with clang " __clang_version__;
#elif defined(__GNUC__)
  text += " with GCC " __VERSION__;
#endif
  return text;
}

// The threads the run may use: QUILBAR_THREADS when it holds a whole number
// from 1 to 256, else the machine's cores (at least 1).
unsigned thread_count() {
  if (const char* given = std::getenv("QUILBAR_THREADS")) {
    const std::string_view text(given);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= 256)
      return value;
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

struct Options {
  bool help = false, version = false, check = false;
  std::vector<std::string> directories;  // entered in their order
};

// "quilbar: " + text on standard error; exit status 2.
int refuse(const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "quilbar: %s (quilbar --help lists the options)\n", text.c_str());
  return 2;
}

}  // namespace

int run_command_line(int argc, const char* const* argv) {
  Options options;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--check") {
      options.check = true;
    } else if (arg == "-C") {
      if (k + 1 >= argc)
        return refuse("option '-C' needs a folder");
      options.directories.emplace_back(argv[++k]);
    } else if (arg.starts_with("--directory=")) {
      options.directories.emplace_back(arg.substr(std::string_view("--directory=").size()));
    } else {
      return refuse("unknown argument '" + std::string(arg) + "'");
    }
  }
  if (options.help) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (options.version) {
    std::printf("quilbar %s\n%s\n", context::program_version, platform().c_str());
    return 0;
  }
  for (const std::string& dir : options.directories) {
    std::error_code ec;
    std::filesystem::current_path(dir, ec);
    if (ec) {
      textio::write_report(dir + ": cannot enter folder: " + ec.message());
      return 2;
    }
  }
  RunOptions run;
  run.check_only = options.check;
  run.threads = thread_count();
  return run_quilbar(run);
}

}  // namespace run
