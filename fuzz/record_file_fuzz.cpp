// The record layer itself: the same bytes read from a file on disk (through the
// streaming buffer) and from memory must give the same records, also with a
// step back and a rewind. A prefix puts the input where the file's first chunk
// ends, so that its records are cut across refills; a prefix without a line
// end makes one record longer than a chunk, which grows the buffer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"

namespace {

// The size of the record layer's first read from a file.
constexpr std::size_t chunk_size = std::size_t{1} << 18;
constexpr std::size_t max_records = 4096;

std::string with_prefix(std::string_view input) {
  if (input.empty())
    return {};
  const unsigned char mode = static_cast<unsigned char>(input[0]);
  input.remove_prefix(1);
  // The input starts up to 255 * 8 bytes before the end of the first chunk.
  const std::size_t prefix_size = chunk_size - 8 * (mode >> 1) - 1;
  std::string text;
  text.reserve(prefix_size + input.size());
  if (mode & 1) {
    text.assign(prefix_size, 'x');  // one long record continued by the input
  } else {
    while (text.size() + 16 <= prefix_size) text.append("short record 15\n");
    text.append(prefix_size - text.size(), ' ');
  }
  text.append(input);
  return text;
}

bool same(const std::optional<std::string_view>& a, const std::optional<std::string_view>& b) {
  return a.has_value() == b.has_value() && (!a || *a == *b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = with_prefix(fuzz::input_text(data, size));
  const std::string path = fuzz::scratch_path("records.txt");
  fuzz::write_file(path, text);

  auto memory = textio::records_from_text(path, text);
  auto file = textio::open_records(path);
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t k = 0; k < max_records; ++k) {
      const auto a = textio::next_record(memory);
      const auto b = textio::next_record(file);
      fuzz::require(same(a, b), "a file and its text in memory give different records");
      fuzz::require(memory.record_number == file.record_number, "different record numbers");
      if (!a)
        break;
      fuzz::require(a->find('\n') == std::string_view::npos, "a line end inside a record");
      if (k % 3 == 0) {
        textio::step_back(memory);
        textio::step_back(file);
        const auto again = textio::next_record(file);
        fuzz::require(same(textio::next_record(memory), again) && same(again, a),
                      "a record read again after a step back differs");
      }
    }
    textio::rewind(memory);
    textio::rewind(file);
  }
  return 0;
}
