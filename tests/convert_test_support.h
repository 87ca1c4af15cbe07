// tests/convert_test_support.h: stamps from literals and a console captured in a
// scratch file, for the conversion-core tests.
#pragma once

#include <string>

#include "context/run_context.h"
#include "tests/support.h"
#include "textio/output_file.h"
#include "textio/output_set.h"

namespace convert_test {

inline context::Stamp stamp_of(const std::string& text) {
  context::Stamp s;
  s.fill(' ');
  for (std::size_t k = 0; k < s.size() && k < text.size(); ++k) s[k] = text[k];
  return s;
}

inline std::string text_of(const context::Stamp& s) {
  return std::string(s.data(), s.size());
}
inline std::string text_of(const context::Label& l) {
  return std::string(l.data(), l.size());
}

using testing_support::CapturedConsole;

}  // namespace convert_test
