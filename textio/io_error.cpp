#include "textio/io_error.h"

#include <cstdio>
#include <cstring>

namespace textio {

IoError::IoError(const std::string& file, std::int64_t record, const std::string& reason)
    : std::runtime_error(file + ":" + std::to_string(record) + ": " + reason),
      report_(file + ":" + std::to_string(record) + ": " + reason) {}

IoError::IoError(const std::string& file, const std::string& reason)
    : std::runtime_error(file + ": " + reason), report_(file + ": " + reason) {}

std::string system_reason(const char* what, int error) {
  return std::string(what) + ": " + std::strerror(error);
}

void write_report(const std::string& report) {
  std::fflush(stdout);
  // Written whole: a file name in the report may hold any byte.
  const std::string line = "quilbar: " + report + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace textio
