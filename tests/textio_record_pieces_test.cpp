// Reading a record file in pieces must give the records, their numbers and
// their count exactly as reading it in order does, wherever the marks and the
// reader's blocks cut the bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support.h"
#include "textio/record_file.h"
#include "textio/record_pieces.h"

namespace {

// The records of a file in order, as next_record gives them.
std::vector<std::string> records_in_order(textio::RecordFile& f) {
  std::vector<std::string> all;
  while (const auto r = textio::next_record(f)) all.emplace_back(*r);
  textio::rewind(f);
  return all;
}

// Short records over several words of 64 bytes, the last without a line end.
std::string many_short_records() {
  std::string text;
  for (int k = 0; k < 60; ++k) text += std::string(static_cast<std::size_t>(k % 9), 'a') + "\n";
  return text + "end";
}

const std::string texts[] = {
    many_short_records(),
    "",
    "one record without a line end",
    "1 2\n3 4\n",
    "1 2\r\n\r\n3 4\r\n5 6",
    "\n\n\n",
    "a longer record that no small block holds whole, and runs on\nx\n\r\n",
    "last ends in CR\r",
};

TEST(textio_record_pieces, counts_marks_and_pieces_agree_with_the_order) {
  testing_support::ScratchDir dir;
  int n = 0;
  for (const std::string& text : texts) {
    const std::string name = std::string(1, 'f').append(std::to_string(n++));
    dir.write(name, text);
    for (const bool on_disk : {false, true}) {
      auto f =
          on_disk ? textio::open_records(dir.file(name)) : textio::records_from_text(name, text);
      const std::vector<std::string> expected = records_in_order(f);
      for (const unsigned threads : {2u, 3u}) {
        for (const std::int64_t spacing : {1, 3, 16, 100}) {
          for (const std::size_t block :
               {std::size_t{2}, std::size_t{5}, std::size_t{64}, std::size_t{1000}}) {
            SCOPED_TRACE(name + (on_disk ? " on disk" : " in memory") + ", threads " +
                         std::to_string(threads) + ", spacing " + std::to_string(spacing) +
                         ", block " + std::to_string(block));
            const textio::RecordCount c = textio::count_records(f, threads, spacing, block);
            EXPECT_EQ(c.records, static_cast<std::int64_t>(expected.size()));
            EXPECT_EQ(f.record_number, 0);
            ASSERT_FALSE(c.marks.empty());
            EXPECT_EQ(c.marks[0].offset, 0);
            // From every mark, the records of the order from that number on.
            for (const textio::RecordMark& m : c.marks) {
              textio::PieceReader reader(f, m, block);
              std::size_t k = static_cast<std::size_t>(m.index);
              while (const auto r = reader.next()) {
                ASSERT_LT(k, expected.size());
                EXPECT_EQ(*r, expected[k]);
                const char after = r->data()[r->size()];
                EXPECT_TRUE(after == '\n' || after == '\r');
                ++k;
              }
              EXPECT_FALSE(reader.failed());
              EXPECT_EQ(k, expected.size());
            }
            // seek_records comes back to any mark.
            const textio::RecordMark& last = c.marks.back();
            textio::seek_records(f, last.offset, last.index);
            const auto r = textio::next_record(f);
            if (last.index < static_cast<std::int64_t>(expected.size())) {
              ASSERT_TRUE(r.has_value());
              EXPECT_EQ(*r, expected[static_cast<std::size_t>(last.index)]);
              EXPECT_EQ(f.record_number, last.index + 1);
            }
            textio::rewind(f);
          }
        }
      }
    }
  }
}

TEST(textio_record_pieces, a_mark_inside_a_record_is_not_trusted) {
  auto f = textio::records_from_text("f", "12 34\n56\n");
  textio::PieceReader reader(f, {3, 1});
  EXPECT_FALSE(reader.next().has_value());
  EXPECT_TRUE(reader.failed());
}

// A mapped file that another program cuts short: one report, status 2, not
// a crash.
TEST(textio_record_pieces_death, a_file_cut_short_while_mapped_is_reported) {
  testing_support::ScratchDir dir;
  dir.write("selhts.out", std::string(10000, '1') + "\n2\n");
  auto f = textio::open_records(dir.file("selhts.out"));
  EXPECT_EXIT(
      {
        const textio::CutShortReport report(f);
        textio::PieceReader reader(f, {0, 0});
        const auto record = reader.next();  // the file is mapped now
        std::filesystem::resize_file(dir.file("selhts.out"), 0);
        [[maybe_unused]] const volatile char past_the_end = record->data()[5000];
        std::exit(0);
      },
      testing::ExitedWithCode(2),
      "^quilbar: .*selhts.out: cannot read: the file was cut short, or the disk failed, while it "
      "was read\n$");
}

}  // namespace
