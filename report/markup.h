// report/markup.h: writing the report's page: markup as it stands, texts
// escaped for XML, numbers in plain decimal form whatever the locale. The
// page goes straight to its output file, which buffers it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "textio/output_file.h"

namespace report {

// A real with at most `decimals` decimals, trailing zeros dropped ("12.5",
// "3", "-0.25"); nothing for a value that is not finite.
struct Num {
  double value;
  int decimals = 1;
};
// A real with exactly `decimals` decimals, as a table column shows it
// ("12.50", "3.00"); nothing for a value that is not finite.
struct Fixed {
  double value;
  int decimals = 2;
};
// A whole number.
struct Int {
  std::int64_t value;
};
// A text to be escaped (&, <, >, " and ').
struct Text {
  std::string_view text;
};

// Markup as it stands, which only a character array (a string literal) can
// give: every other text written to the page is escaped. A choice between literals is written
// Markup(a) or Markup(b).
struct Markup {
  std::string_view text;
  template <std::size_t N>
  constexpr Markup(const char (&literal)[N]) : text(literal, N - 1) {}
};
// Markup of several lines from a literal, each ended by LF as a raw literal
// holds them: each is written with CR LF, as every record of the program's
// files ends.
struct Lines {
  std::string_view markup;
  template <std::size_t N>
  constexpr Lines(const char (&literal)[N]) : markup(literal, N - 1) {}
};

struct Page {
  textio::OutputFile& out;
};
Page& operator<<(Page& page, Markup markup);
template <std::size_t N>
Page& operator<<(Page& page, const char (&literal)[N]) {
  return page << Markup(literal);
}
// Any other text is escaped (&, <, >, " and '), as Text.
Page& operator<<(Page& page, std::string_view text);
Page& operator<<(Page& page, Num number);
Page& operator<<(Page& page, Fixed number);
Page& operator<<(Page& page, Int number);
Page& operator<<(Page& page, Text text);
Page& operator<<(Page& page, Lines lines);

// The forms above as a string, for labels put together before writing.
std::string number_text(double value, int decimals);
std::string escaped(std::string_view text);

}  // namespace report
