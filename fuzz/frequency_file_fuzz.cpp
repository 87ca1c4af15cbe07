// The frequency-of-occurrence file, read into tables of a few shapes.
#include <cstdint>
#include <vector>

#include "context/table.h"
#include "fuzz/fuzz_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/frequency_table.h"

namespace {
struct Shape {
  std::int32_t events, periods;
};
constexpr Shape shapes[] = {{4, 2}, {3, 1}, {1, 5}, {6, 3}, {0, 2}};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = textio::records_from_text("fuzz.fre", fuzz::input_text(data, size));
  context::Table<float> percent, fraction;
  context::Table<std::int32_t> repeats;
  std::vector<std::int32_t> period_events;
  for (const Shape shape : shapes) {
    wavemodel::create_frequency_tables(shape.events, shape.periods, percent, fraction, repeats,
                                       period_events);
    textio::rewind(f);
    try {
      wavemodel::read_frequency_file(f, percent);
    } catch (const textio::IoError&) {
    }
    fuzz::require(percent.values.size() == static_cast<std::size_t>(shape.events) *
                                               static_cast<std::size_t>(shape.periods),
                  "a frequency table resized by the reader");
  }
  return 0;
}
