// The fixed-width fields on arbitrary records: texts fitted to items of every
// length, integers of every width (and back through the writer), the 13-column
// real fields one by one and as records of five.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "textio/fixed_fields.h"
#include "textio/io_error.h"
#include "textio/record_file.h"

namespace {

constexpr textio::TextField text_fields[] = {textio::A80, textio::A150, textio::A255};
constexpr std::size_t item_lengths[] = {1, 3, 9, 80, 150, 255, 300};
constexpr textio::IntField int_fields[] = {textio::I2,   textio::I4,   textio::I8,  textio::I14,
                                           textio::I2_2, textio::I3_3, textio::I4_4};
constexpr std::size_t real_field_width = 13;
constexpr std::size_t real_list_sizes[] = {1, 5, 6, 13};
constexpr std::size_t max_records = 64;

void check_record(std::string_view record) {
  for (const auto field : text_fields) {
    for (const std::size_t length : item_lengths) {
      fuzz::require(textio::read_fixed(record, field, length).size() == length,
                    "a fixed text not fitted to its item");
    }
  }

  // Integers read at a few starting columns, then written and read back.
  for (std::size_t start = 0; start < std::min<std::size_t>(record.size(), 16); ++start) {
    const std::string_view text = record.substr(start);
    for (const auto field : int_fields) {
      std::int64_t value = 0;
      if (!textio::read_fixed(text, field, value))
        continue;
      std::array<char, 16> written{};
      textio::write_fixed(written.data(), field, value);
      const std::string_view out(written.data(), field.width);
      if (out.find('*') != std::string_view::npos) {
        fuzz::require(out.find_first_not_of('*') == std::string_view::npos,
                      "an integer field partly filled with asterisks");
        continue;
      }
      std::int64_t back = 0;
      fuzz::require(textio::read_fixed(out, field, back) && back == value,
                    "an integer field that does not read back");
    }
  }

  for (std::size_t start = 0; start < record.size(); start += real_field_width) {
    float value = 0.0f;
    if (textio::parse_f13_6(record.substr(start, real_field_width), value)) {
      fuzz::require(std::isfinite(value), "a 13-column field read as infinite or NaN");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::input_text(data, size);
  auto f = textio::records_from_text("fuzz.dep", text);
  std::size_t records = 0;
  while (const auto record = textio::next_record(f)) {
    if (++records > max_records)
      break;
    check_record(*record);
  }

  std::vector<float> values;
  for (const std::size_t count : real_list_sizes) {
    textio::rewind(f);
    values.assign(count, -1.0f);
    try {
      for (std::size_t reads = 0; reads < max_records; ++reads) {
        textio::read_fixed_reals(f, values);
        for (const float v : values) {
          fuzz::require(std::isfinite(v), "a 13-column field read as infinite or NaN");
        }
      }
    } catch (const textio::IoError&) {
      // The end of the text, or a field that is no number.
    }
  }
  return 0;
}
