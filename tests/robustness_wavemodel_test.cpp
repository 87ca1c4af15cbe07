// Wave-model inputs that announce more data than they hold: the depth tables
// are sized from the header, so a hand-edited or damaged header must end the
// run with the I/O layer's report before tables of any size are created.
#include <gtest/gtest.h>

#include "textio/io_error.h"
#include "textio/record_file.h"
#include "wavemodel/depth_grid.h"

namespace {

// 10^10 cells (40 GB of depths) announced by a header over a single record:
// the rows run past the end of the file, which is the I/O layer's report.
TEST(robustness_wavemodel, depth_header_far_beyond_the_file_is_an_io_error) {
  auto f = textio::records_from_text("case.dep", "100000 100000 50.0 50.0\n     1.000000\n");
  try {
    wavemodel::read_depth_grid(f);
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_STREQ(
        e.what(),
        "case.dep:2: end of file: it cannot hold the 2000000000 records of the depth grid");
  }
  // A header that the file does hold is read as usual.
  auto g = textio::records_from_text("case.dep", "7 1 50.0 50.0\n1.0\n\n");
  EXPECT_EQ(wavemodel::read_depth_grid(g)->depth_grid.rows, 7);
}

}  // namespace
