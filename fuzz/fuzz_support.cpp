#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace fuzz {
namespace {

std::filesystem::path& scratch_directory() {
  static std::filesystem::path path;
  return path;
}

void remove_scratch_directory() {
  std::error_code ec;
  std::filesystem::remove_all(scratch_directory(), ec);
}

const std::filesystem::path& ensure_scratch_directory() {
  std::filesystem::path& dir = scratch_directory();
  if (dir.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quilbar-fuzz.XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("quilbar fuzz: mkdtemp");
      std::abort();
    }
    dir = pattern;
    std::atexit(remove_scratch_directory);
  }
  return dir;
}

}  // namespace

std::string scratch_path(std::string_view name) {
  return (ensure_scratch_directory() / name).string();
}

void write_file(const std::string& path, std::string_view text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size() ||
      std::fclose(f) != 0) {
    std::perror("quilbar fuzz: writing the input file");
    std::abort();
  }
}

textio::OutputFile scratch_output() {
  textio::OutputSet set;  // numbers the temporary; the file is never put in place
  return textio::create_output(set, scratch_path("scratch.out"));
}

InScratchDirectory::InScratchDirectory() : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(ensure_scratch_directory());
}

InScratchDirectory::~InScratchDirectory() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
}

void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "quilbar fuzz: property failed: %s\n", what);
    std::abort();
  }
}

}  // namespace fuzz
