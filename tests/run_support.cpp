#include "tests/run_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

RunResult ScratchDir::run(const std::string& input) const {
  write(".stdin", input);
  const std::string command =
      "cd '" + path_ + "' && '" + QUILBAR_EXE + "' < .stdin > .stdout 2> .stderr";
  const int raw = std::system(command.c_str());
  RunResult r;
  r.exit_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = read(".stdout");
  r.err = read(".stderr");
  fs::remove(file(".stdin"));
  fs::remove(file(".stdout"));
  fs::remove(file(".stderr"));
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

}  // namespace testing_support
