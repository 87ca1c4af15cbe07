#include "tests/support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace testing_support {
namespace fs = std::filesystem;

namespace {
std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

std::string leftover_temporaries(const ScratchDir& dir) {
  std::string found;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir.path(), ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with(".quilbar-") && name.ends_with(".tmp"))
      found += it->path().string() + "\n";
  }
  return found;
}

ScratchDir::ScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "quilbar-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  // Give back any permission a test took away, so the tree can be removed.
  for (auto it = fs::recursive_directory_iterator(path_, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(path_, ec);
}

void ScratchDir::write(const std::string& name, const std::string& content) const {
  std::ofstream out(file(name), std::ios::binary);
  out << content;
}

std::string ScratchDir::read(const std::string& name) const {
  return slurp(file(name));
}

bool ScratchDir::exists(const std::string& name) const {
  return fs::exists(file(name));
}

void ScratchDir::copy_from_source(const std::string& folder) const {
  for (const auto& entry : fs::directory_iterator(fs::path(QUILBAR_SOURCE_DIR) / folder)) {
    if (entry.is_regular_file()) {
      fs::copy_file(entry.path(), fs::path(path_) / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
}

namespace {
RunResult run_command(const ScratchDir& dir, const std::string& limit, const std::string& input,
                      const std::string& arguments = "") {
  dir.write(".stdin", input);
  const std::string command = "cd '" + dir.path() + "' && " + limit + "'" + QUILBAR_EXE + "' " +
                              arguments + " < .stdin > .stdout 2> .stderr";
  const int raw = std::system(command.c_str());
  RunResult r;
  r.exit_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = dir.read(".stdout");
  r.err = dir.read(".stderr");
  for (const char* name : {".stdin", ".stdout", ".stderr"}) fs::remove(dir.file(name));
  return r;
}
}  // namespace

std::map<std::string, std::string> folder_snapshot(const ScratchDir& dir,
                                                   const std::string& skip_prefix) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir.path())) {
    if (!skip_prefix.empty() && e.path().filename().string().starts_with(skip_prefix))
      continue;
    const std::string name = fs::relative(e.path(), dir.path()).string();
    files[name] = e.is_directory() ? "<folder>" : dir.read(name);
  }
  return files;
}

void drop_report_record(const ScratchDir& dir) {
  std::string control = dir.read("quilbar.ctrl");
  const std::size_t at = control.find("REPORT");
  if (at != std::string::npos)
    control.erase(at, control.find('\n', at) + 1 - at);
  dir.write("quilbar.ctrl", control);
}

RunResult ScratchDir::run(const std::string& input) const {
  return run_command(*this, "", input);
}

RunResult ScratchDir::run_with_arguments(const std::string& arguments) const {
  return run_command(*this, "", "", arguments);
}

RunResult ScratchDir::run_with_environment(const std::string& assignments) const {
  return run_command(*this, assignments + " ", "");
}

RunResult ScratchDir::run_with_file_size_limit(int blocks) const {
  return run_command(*this, "ulimit -f " + std::to_string(blocks) + " && ", "");
}

namespace {
// The unprivileged user of Debian and most other systems.
const char* const as_nobody = "setpriv --reuid=65534 --regid=65534 --clear-groups";

// Folders the owner can write become open to all, files the owner can read
// readable by all; what the test closed stays closed.
void open_to_everyone(const std::string& root) {
  const auto owner_can = [](const fs::path& p, fs::perms right) {
    std::error_code ec;
    return (fs::symlink_status(p, ec).permissions() & right) != fs::perms::none;
  };
  std::error_code ec;
  fs::permissions(root, fs::perms::all, fs::perm_options::add, ec);
  for (auto it = fs::recursive_directory_iterator(root, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const fs::path& p = it->path();
    std::error_code kind_ec;
    const auto kind = fs::symlink_status(p, kind_ec).type();
    if (kind == fs::file_type::directory && owner_can(p, fs::perms::owner_write)) {
      fs::permissions(p, fs::perms::all, fs::perm_options::add, kind_ec);
    } else if (kind == fs::file_type::regular && owner_can(p, fs::perms::owner_read)) {
      fs::permissions(p, fs::perms::group_read | fs::perms::others_read, fs::perm_options::add,
                      kind_ec);
    }
  }
}
}  // namespace

std::string ScratchDir::nobody_unavailable() {
  if (geteuid() != 0)
    return "";  // not root: file modes hold for this user already
  static const std::string reason = [] {
    if (std::system("command -v setpriv > /dev/null 2>&1") != 0)
      return std::string(
          "setpriv (util-linux) is not installed, so the program cannot run "
          "as an unprivileged user, and root ignores file modes");
    const std::string probe = std::string(as_nobody) + " true > /dev/null 2>&1";
    if (std::system(probe.c_str()) != 0)
      return std::string("setpriv cannot switch to the user nobody (uid 65534) here");
    return std::string();
  }();
  return reason;
}

RunResult ScratchDir::run_as_nobody(const std::string& input) const {
  if (geteuid() != 0)
    return run(input);
  // A copy beside the inputs, started by a relative name: nobody may not be
  // allowed into the folders that hold the build.
  const std::string exe = ".quilbar-as-nobody";
  fs::copy_file(QUILBAR_EXE, file(exe), fs::copy_options::overwrite_existing);
  fs::permissions(file(exe), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
  open_to_everyone(path_);
  write(".stdin", input);
  const std::string command =
      "cd '" + path_ + "' && " + as_nobody + " ./" + exe + " < .stdin > .stdout 2> .stderr";
  const int raw = std::system(command.c_str());
  RunResult r;
  r.exit_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = read(".stdout");
  r.err = read(".stderr");
  for (const char* name : {".stdin", ".stdout", ".stderr"}) fs::remove(file(name));
  fs::remove(file(exe));
  return r;
}

std::string read_source_file(const std::string& relative) {
  return slurp((fs::path(QUILBAR_SOURCE_DIR) / relative).string());
}

std::string crlf_records(std::initializer_list<std::string> records) {
  std::string s;
  for (const auto& r : records) s += r + "\r\n";
  return s;
}

InScratchDir::InScratchDir() {
  previous_ = fs::current_path().string();
  fs::current_path(dir.path());
}

InScratchDir::~InScratchDir() {
  std::error_code ec;
  fs::current_path(previous_, ec);
}

MemoryOutput::MemoryOutput() {
  out.name = "memory";
  out.file = open_memstream(&data_, &size_);
  if (out.file == nullptr)
    throw std::runtime_error("open_memstream failed");
  out.buffer.resize(1 << 12);
  out.real32_fields = std::make_unique<textio::Real32FieldCache>();
}

MemoryOutput::~MemoryOutput() {
  if (out.file != nullptr)
    std::fclose(std::exchange(out.file, nullptr));
  std::free(data_);
}

std::string MemoryOutput::text() {
  textio::close_output(out);
  return std::string(data_ != nullptr ? data_ : "", size_);
}

CapturedConsole::CapturedConsole(context::RunContext& ctx) : ctx_(ctx) {
  ctx_.console = textio::create_output(set_, dir_.file("console"));
}

std::string CapturedConsole::text() {
  textio::complete_output(set_, ctx_.console);
  textio::commit_outputs(set_);
  return dir_.read("console");
}

}  // namespace testing_support
