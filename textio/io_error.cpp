#include "textio/io_error.h"

namespace textio {

IoError::IoError(const std::string& file, std::int64_t record, const std::string& reason)
    : std::runtime_error(file + ":" + std::to_string(record) + ": " + reason),
      report_(file + ":" + std::to_string(record) + ": " + reason) {}

IoError::IoError(const std::string& file, const std::string& reason)
    : std::runtime_error(file + ": " + reason), report_(file + ": " + reason) {}

}  // namespace textio
