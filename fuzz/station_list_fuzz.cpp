// The station list (*.std): the count in either form, and each form's reader
// on its own from the first record.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/station_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = textio::records_from_text("fuzz.std", fuzz::input_text(data, size));
  try {
    wavemodel::read_station_count(f);
  } catch (const textio::IoError&) {
    // No first record, or a count field that is no integer.
  }
  textio::rewind(f);
  try {
    const std::int32_t count = wavemodel::annotated_station_count(f);
    fuzz::require(count >= -9999999 && count <= 99999999, "a count wider than its I8 field");
  } catch (const textio::IoError&) {
  }
  textio::rewind(f);
  wavemodel::plain_station_count(f);
  return 0;
}
