// fuzz/fuzz_support.h: what the fuzz targets share: the input as text, a
// scratch directory of this process for readers that need a file on disk, and
// an output file whose data nobody sees (so the console stays quiet).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "textio/output_file.h"
#include "textio/output_set.h"

namespace fuzz {

inline std::string_view input_text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The absolute name of `name` in this process's scratch directory, which is
// made on first use and removed when the process exits normally.
std::string scratch_path(std::string_view name);

// Writes text to a file, replacing it.
void write_file(const std::string& path, std::string_view text);

// An output file in the scratch directory that is never committed: its
// temporary is removed when it goes out of scope.
textio::OutputFile scratch_output();

// The scratch directory as the working directory while in scope (for readers
// that take a fixed name from the working directory); libFuzzer itself needs
// the old one back to save its corpus.
class InScratchDirectory {
 public:
  InScratchDirectory();
  ~InScratchDirectory();
  InScratchDirectory(const InScratchDirectory&) = delete;
  InScratchDirectory& operator=(const InScratchDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

// Ends the process with a report when a property of a reader's result fails;
// libFuzzer then keeps the input that broke it.
void require(bool condition, const char* what);

}  // namespace fuzz
