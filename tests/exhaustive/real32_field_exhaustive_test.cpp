// Every 4-byte real of 0.1 <= |x| < 10^7 (the plain form's range) written by
// the fast field writer, through a table of recent fields and without one,
// against the plain form built from std::to_chars's shortest digits. About a
// minute of cpu: run by CI under the label "exhaustive", not by default.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/real_reference.h"
#include "textio/number_text.h"

namespace {

// Checks the floats from bit pattern `first` to below `last`, both signs;
// returns the first that differs, with both fields, or "".
std::string check_range(std::uint32_t first, std::uint32_t last) {
  auto recent = std::make_unique<textio::Real32FieldCache>();
  char field[textio::real32_field_width];
  for (std::uint32_t bits = first; bits < last; ++bits) {
    for (const float v : {std::bit_cast<float>(bits), -std::bit_cast<float>(bits)}) {
      const std::string expected = testing_support::reference_plain_real32(v);
      if (expected.empty())
        continue;  // rounds to 10^7: the exponent form, checked elsewhere
      textio::format_real32_field(v, field);
      if (std::string(field, sizeof field) != expected)
        return std::to_string(v) + ": \"" + std::string(field, sizeof field) + "\" not \"" +
               expected + "\"";
      textio::format_real32_field(v, field, recent.get());
      if (std::string(field, sizeof field) != expected)
        return std::to_string(v) + " (through the table): \"" + std::string(field, sizeof field) +
               "\"";
    }
  }
  return "";
}

TEST(real32_field_exhaustive, every_float_of_the_plain_range) {
  const std::uint32_t first = std::bit_cast<std::uint32_t>(0.1f);
  const std::uint32_t last = std::bit_cast<std::uint32_t>(1.0e7f);
  const unsigned parts = std::max(2u, std::thread::hardware_concurrency());
  std::vector<std::string> found(parts);
  std::vector<std::thread> workers;
  const std::uint32_t step = (last - first) / parts + 1;
  for (unsigned k = 0; k < parts; ++k) {
    const std::uint32_t from = first + k * step;
    const std::uint32_t to = std::min(last, from + step);
    workers.emplace_back([&found, k, from, to] { found[k] = check_range(from, to); });
  }
  for (auto& w : workers) w.join();
  for (const auto& f : found) EXPECT_EQ(f, "");
}

}  // namespace
