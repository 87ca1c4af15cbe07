// The free-format reader on arbitrary text, into several mixes of item types:
// texts of different lengths, every integer and real type, and arrays, with
// the throwing form and a step back as the control file uses it.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz/fuzz_support.h"
#include "textio/free_format.h"
#include "textio/io_error.h"
#include "textio/record_file.h"

namespace {

using textio::ReadStatus;
using textio::text_item;

struct Targets {
  std::string text_a, text_b;
  std::int8_t i8 = 0;
  std::int32_t i32 = 0;
  std::int64_t i64 = 0;
  float r32 = 0.0f;
  double r64 = 0.0;
  std::array<float, 7> reals{};
  std::array<std::int32_t, 5> integers{};
};

constexpr int mix_count = 7;

// The lengths the two texts of each mix are fitted to (0: not in the mix).
struct TextLengths {
  std::size_t a, b;
};
constexpr TextLengths text_lengths[mix_count] = {{10, 0},  {0, 3}, {0, 0},    {255, 0},
                                                 {1, 180}, {0, 0}, {255, 180}};

ReadStatus read_mix(textio::RecordFile& f, int mix, Targets& t) {
  switch (mix) {
    case 0:
      return textio::read_free(f, text_item(t.text_a, 10), t.i32, t.r32);
    case 1:
      return textio::read_free(f, t.i8, t.i64, t.r64, text_item(t.text_b, 3));
    case 2:
      return textio::read_free(f, std::span<float>(t.reals));
    case 3:
      return textio::read_free(f, std::span<std::int32_t>(t.integers), text_item(t.text_a, 255));
    case 4:
      return textio::read_free(f, text_item(t.text_a, 1), text_item(t.text_b, 180), t.r64);
    case 5:
      // Five integers into one target: the last value read remains.
      return textio::read_free(f, t.i32, t.i32, t.i32, t.i32, t.i32);
    default: {
      // The first value alone, then the record again as keyword and value.
      const ReadStatus first = textio::read_free(f, text_item(t.text_a, 255));
      if (first != ReadStatus::ok)
        return first;
      textio::step_back(f);
      return textio::read_free(f, text_item(t.text_b, 180), t.r32);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = textio::records_from_text("fuzz.txt", fuzz::input_text(data, size));
  Targets t;
  for (int mix = 0; mix < mix_count; ++mix) {
    textio::rewind(f);
    // Every read that does not meet the end starts on a new record, so the
    // reads of one pass are at most as many as the records.
    for (std::size_t reads = 0;; ++reads) {
      fuzz::require(reads <= size + 1, "a read that took no record");
      const std::int64_t before = f.record_number;
      t.text_a.clear();
      t.text_b.clear();
      const ReadStatus status = read_mix(f, mix, t);
      if (status == ReadStatus::end_of_file)
        break;
      fuzz::require(f.record_number > before, "a read that took no record");
      if (status == ReadStatus::ok) {
        // A text not reached (a slash, a null value) keeps its old, empty value.
        const TextLengths expected = text_lengths[mix];
        fuzz::require(t.text_a.empty() || t.text_a.size() == expected.a,
                      "a text item not fitted to its length");
        fuzz::require(t.text_b.empty() || t.text_b.size() == expected.b,
                      "a text item not fitted to its length");
      }
    }
  }

  textio::rewind(f);
  try {
    for (;;) {
      std::string name;
      textio::read_free_required(f, text_item(name, 9), t.r64, t.i32);
    }
  } catch (const textio::IoError&) {
    // The end of the text, or a value of the wrong type: the expected report.
  }
  return 0;
}
