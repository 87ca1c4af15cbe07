// textio/io_error.h: the one exception of the program, raised by the text layer
// when a file operation fails where no caller checks a status.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace textio {

// what() reads "selhts.out:17: cannot read a real" (with a record number) or
// "map.out: cannot create file: Permission denied" (without one).
class IoError : public std::runtime_error {
 public:
  IoError(const std::string& file, std::int64_t record, const std::string& reason);
  IoError(const std::string& file, const std::string& reason);

  // The whole report, also when a file name in it holds a NUL byte (what()
  // ends there).
  const std::string& report() const { return report_; }

 private:
  std::string report_;
};

// "what: " and the system's text for the error number, the reason of a report.
std::string system_reason(const char* what, int error);

// Writes "quilbar: " + report and a line end to standard error in one piece,
// after what standard output still holds: the one form every fault the
// program does not check takes.
void write_report(const std::string& report);

}  // namespace textio
