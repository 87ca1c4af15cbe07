// tests/convert_test_support.h: stamps from literals and a console captured in a
// scratch file, for the conversion-core tests.
#pragma once

#include <string>

#include "context/run_context.h"
#include "tests/support.h"
#include "textio/output_file.h"
#include "textio/output_set.h"

namespace convert_test {

using testing_support::stamp_of;
using testing_support::text_of;

using testing_support::CapturedConsole;

}  // namespace convert_test
