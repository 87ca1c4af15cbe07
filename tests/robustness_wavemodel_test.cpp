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
    wavemodel::read_depth_file(f);
    FAIL() << "expected an IoError";
  } catch (const textio::IoError& e) {
    EXPECT_STREQ(
        e.what(),
        "case.dep:2: end of file: it cannot hold the 2000000000 records of the depth grid");
  }
  // A header that the file does hold is read as usual.
  auto g = textio::records_from_text("case.dep", "7 1 50.0 50.0\n1.0\n\n");
  EXPECT_EQ(wavemodel::read_depth_file(g)->depth_grid.rows, 7);
}

// A grid with no row needs no record, so only memory bounds its other
// dimension: the cell widths of 2000000000 columns (8 GB) are not created
// where the limit is below that, and nothing more is read.
TEST(robustness_wavemodel, depth_header_with_no_rows_bounded_by_memory) {
  struct Case {
    const char* header;
    std::uint64_t limit;
    bool read;
    std::uint64_t bytes;
  };
  const Case cases[] = {
      {"2000000000 0 50.0 50.0\n", std::uint64_t{1} << 30, false, 8000000000u},
      {"0 2000000000 50.0 50.0\n", std::uint64_t{1} << 30, false, 8000000000u},
      {"3 0 50.0 50.0\n", std::uint64_t{1} << 30, true, 12},
      {"3 2 50.0 50.0\n1.0\n2.0\n", 20, false, 44},  // 6 depths and 5 widths
      {"3 2 50.0 50.0\n1.0\n2.0\n", 44, true, 44},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header);
    auto f = textio::records_from_text("case.dep", c.header);
    const auto g = wavemodel::read_depth_file(f, c.limit);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->read, c.read);
    EXPECT_EQ(g->table_bytes, c.bytes);
    EXPECT_EQ(g->cell_widths_i.empty() && g->cell_widths_j.empty(), !c.read);
  }
}

}  // namespace
