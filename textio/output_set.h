// textio/output_set.h: the files one run writes, put in place together or not
// at all. Each is written under a short temporary name in its target's folder;
// once every file is complete the set is put in place, one exchange of names
// (or rename) each, in the order they were written, and the files they
// replaced are removed. A set given up (an error before commit_outputs, or the
// set's end without it) removes every temporary and leaves every earlier
// output as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "textio/output_file.h"

namespace textio {

struct OutputSet {
  struct Entry {
    std::string name;       // the target
    std::string temp_name;  // the new data; after an exchange, the replaced file
    bool complete = false;  // closed, waiting to be put in place
  };
  std::vector<Entry> entries;      // in the order the outputs were created
  std::uint64_t temp_counter = 0;  // numbers the temporary names

  OutputSet() = default;
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;
  OutputSet(OutputSet&& other) noexcept;
  OutputSet& operator=(OutputSet&& other) noexcept;
  ~OutputSet();  // removes every temporary still there
};

// A new output file of the set at path; IoError if it cannot be created (a
// name that can never be a file, such as "" or "." or a folder's, included).
OutputFile create_output(OutputSet& set, const std::string& path);
// Writes out and closes an output file of the set; IoError on failure.
void complete_output(OutputSet& set, OutputFile& out);
// Puts every complete output in place, then removes the files they replaced.
// IoError when a name cannot be replaced (naming the outputs already put in
// place) or a replaced file cannot be removed.
void commit_outputs(OutputSet& set);

}  // namespace textio
