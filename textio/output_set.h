// textio/output_set.h: the files one run writes, put in place together or not
// at all. Each is written under a short temporary name in its target's folder;
// once every file is complete the set is put in place, one exchange of names
// (or rename) each, in the order they were written, and the files they
// replaced are removed. A set given up (an error before commit_outputs, or the
// set's end without it) removes every temporary and leaves every earlier
// output as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textio/output_file.h"

namespace textio {

// Temporaries made ahead on a thread of their own (see make_temporaries_ahead).
struct TemporariesAhead;

struct OutputSet {
  // How an output was put in place, so that it can be put back.
  enum class Placed {
    no,         // not yet: temp_name holds the new data
    exchanged,  // names exchanged: temp_name now holds the replaced file
    created,    // renamed to a name no file held
    renamed,    // the replaced file renamed to backup_name first
  };
  struct Entry {
    std::string name;         // the target
    std::string temp_name;    // the new data; after an exchange, the replaced file
    std::string backup_name;  // the replaced file, where it was renamed aside
    bool complete = false;    // closed, waiting to be put in place
    Placed placed = Placed::no;
  };
  std::vector<Entry> entries;      // in the order the outputs were created
  std::uint64_t temp_counter = 0;  // numbers the temporary names
  // Folders in which leftovers of killed runs have been looked for.
  std::vector<std::string> swept_folders;
  // A check-only run: outputs are made and their names checked, but no file
  // is created; their records are forgotten and nothing is put in place.
  bool check_only = false;
  // The temporaries being made ahead for the next outputs, if any.
  std::unique_ptr<TemporariesAhead> ahead;

  OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;
  OutputSet(OutputSet&& other) noexcept;
  OutputSet& operator=(OutputSet&& other) noexcept;
  ~OutputSet();  // removes every temporary still there
};

// A new output file of the set at path; IoError if it cannot be created: a
// name that can never be a file (such as "" or "." or a folder's), a last
// component longer than its folder allows, a folder that is not there. The
// first temporary made in a folder removes there the temporaries of runs
// that were killed (their process no longer runs).
OutputFile create_output(OutputSet& set, const std::string& path);
// Has a thread of its own make the temporaries of the outputs to be created
// next, at these paths in this order (all in one folder), a few ahead of the
// writer, and give back the pages the system caches of the files they will
// replace: create_output then takes each one as it comes instead of making
// it, which on some file systems (a new file's place is looked for) is most of
// the cost of a small output. Faults are the same, and come at the same
// create_output, as without it; a temporary not taken is removed with the set
// or when it is put in place. Nothing in a check-only run or on one path.
void make_temporaries_ahead(OutputSet& set, const std::vector<std::string>& paths);
// Writes out and closes an output file of the set; IoError on failure.
void complete_output(OutputSet& set, OutputFile& out);
// Puts every complete output in place, then removes the files they replaced.
// If one cannot be put in place, those already in place are put back as they
// were, in reverse order, every temporary is removed, and the IoError names
// the output that failed (and any output that could not be put back). IoError
// too when a replaced file cannot be removed (the set then stands whole).
void commit_outputs(OutputSet& set);

// The outputs made so far, in the order they were made, with the bytes each
// holds now (none when not known: a check-only run, a file not yet closed).
struct OutputSummary {
  std::string name;
  std::optional<std::uintmax_t> bytes;
};
std::vector<OutputSummary> outputs_made(const OutputSet& set);

// Whether a name is one this program gives its temporaries,
// ".quilbar-<process>-<n>.tmp", and the process it names.
bool temporary_name_process(std::string_view name, long& process);

}  // namespace textio
