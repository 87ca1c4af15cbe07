// tests/support.h: what the tests share: scratch directories, running the
// built program in one, captured console and output text, the console's
// recurring texts, and the check for leftover output temporaries.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "context/run_context.h"
#include "textio/output_file.h"
#include "textio/output_set.h"

namespace testing_support {

struct RunResult {
  int exit_status = -1;
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error
};

// A fresh directory under the system's temporary folder, removed with its
// contents at the end of the test.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // Copies every file of a folder of the source tree (e.g. "examples/map_case").
  void copy_from_source(const std::string& folder) const;

  // Runs quilbar in this directory with `input` on standard input (none: at its end).
  RunResult run(const std::string& input = "") const;
  // The same with arguments on the command line (as the shell reads them),
  // standard input at its end.
  RunResult run_with_arguments(const std::string& arguments) const;
  // The same with environment variables set ("QUILBAR_THREADS=2").
  RunResult run_with_environment(const std::string& assignments) const;
  // The same under a limit on the size of any file the program writes, in
  // blocks of 512 bytes (the shell's ulimit -f).
  RunResult run_with_file_size_limit(int blocks) const;

  // The same, but where file modes hold: when the tests run as root (who
  // ignores them) the program runs as the user nobody, from a copy in this
  // directory. The directory and the files its owner can read (and the
  // folders its owner can write) are first opened to every user; files and
  // folders the test took those rights from stay closed. Check
  // nobody_unavailable() first.
  RunResult run_as_nobody(const std::string& input = "") const;
  // Why run_as_nobody cannot run here (for GTEST_SKIP), or empty when it can.
  static std::string nobody_unavailable();

 private:
  std::string path_;
};

// Takes the REPORT record out of the directory's quilbar.ctrl: the example
// cases ask for the run report, most tests look at the run without it.
void drop_report_record(const ScratchDir& dir);

// Every file under the folder with its content, by path below it (folders
// by a marker); names starting with `skip_prefix` (when given) left out.
std::map<std::string, std::string> folder_snapshot(const ScratchDir& dir,
                                                   const std::string& skip_prefix = "");

// The output temporaries left anywhere under dir, one path a line.
std::string leftover_temporaries(const ScratchDir& dir);

// Reads a file of the source tree (e.g. "tests/data/x.expected").
std::string read_source_file(const std::string& relative);

// Joins records with CR LF after each: the layout every written record has.
std::string crlf_records(std::initializer_list<std::string> records);

// A stamp or label from its text (blank-padded, cut to its width), and back.
inline context::Stamp stamp_of(const std::string& text) {
  context::Stamp s;
  s.fill(' ');
  for (std::size_t k = 0; k < s.size() && k < text.size(); ++k) s[k] = text[k];
  return s;
}
inline context::Label label_of(const std::string& text) {
  context::Label l;
  l.fill(' ');
  for (std::size_t k = 0; k < l.size() && k < text.size(); ++k) l[k] = text[k];
  return l;
}
inline std::string text_of(const context::Stamp& s) {
  return std::string(s.data(), s.size());
}
inline std::string text_of(const context::Label& l) {
  return std::string(l.data(), l.size());
}

// The console's recurring texts: the separator record and the pause prompt
// with its line end.
inline const std::string separator_record =
    "  ****************************************************** ";
inline const std::string pause_prompt =
    " quilbar Pause - Enter command<CR> or <CR> to continue.\r\n";

// Makes a scratch directory the working directory for the life of the object.
class InScratchDir {
 public:
  InScratchDir();
  ~InScratchDir();
  InScratchDir(const InScratchDir&) = delete;
  InScratchDir& operator=(const InScratchDir&) = delete;

  ScratchDir dir;

 private:
  std::string previous_;
};

// An output file whose records stay in memory (the mirror of reading records
// from a text): text() closes it and returns every byte written.
class MemoryOutput {
 public:
  MemoryOutput();
  ~MemoryOutput();
  MemoryOutput(const MemoryOutput&) = delete;
  MemoryOutput& operator=(const MemoryOutput&) = delete;

  textio::OutputFile out;
  std::string text();

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
};

// The bytes write(out) puts through an output file.
template <class Write>
std::string written_text(Write&& write) {
  MemoryOutput memory;
  std::forward<Write>(write)(memory.out);
  return memory.text();
}

// The run context's console goes to a file of its own; text() closes it and
// returns what it holds.
class CapturedConsole {
 public:
  explicit CapturedConsole(context::RunContext& ctx);
  std::string text();

 private:
  ScratchDir dir_;
  textio::OutputSet set_;
  context::RunContext& ctx_;
};

}  // namespace testing_support
