#include <gtest/gtest.h>

#include <string>

#include "shoreline/control_rewrite.h"
#include "tests/shoreline_test_support.h"
#include "textio/record_file.h"

namespace {

using shoreline_test::CapturedConsole;
using shoreline_test::InScratchDir;
using shoreline_test::small_context;
using testing_support::crlf_records;

TEST(rewritten_dun_name, drops_the_extension_of_the_last_component) {
  struct Case {
    const char* dun_file;
    const char* expected;
  };
  const Case cases[] = {
      {"beach.dun", "beach_new.dun"},
      {"C:\\work\\beach.dun", "C:\\work\\beach_new.dun"},
      {"..\\beach.dun", "..\\beach_new.dun"},
      {"../beach.dun", "../beach_new.dun"},
      {"run.2.dun", "run.2_new.dun"},
      {"beach", "beach_new.dun"},
      {"work/beach.dun", "work/beach_new.dun"},
      {"dir.v2/beach", "dir.v2/beach_new.dun"},
      {"dir.v2\\beach", "dir.v2\\beach_new.dun"},
      {"my beach,2.dun", "my beach,2_new.dun"},
      {"beach.dun     ", "beach_new.dun"},
      {"beach.", "beach_new.dun"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dun_file);
    EXPECT_EQ(shoreline::rewritten_dun_name(c.dun_file), c.expected);
  }
}

// Two stations (cells 2 and 3; depths 21 and 12, from stored rows 2 and 1), three steps.
const std::string numwaves_2 = " NUMWAVES:           2";
const std::string waveid_1 =
    " WAVEID:           2   21.00000               3 OutputStationKRV_wave001.wave";
const std::string waveid_2 =
    " WAVEID:           3   12.00000               3 OutputStationKRV_wave002.wave";

std::string padded(const std::string& record) {
  return record + std::string(255 - record.size(), ' ');
}

TEST(wave_records, layouts) {
  auto ctx = small_context(2, 3);
  ctx.params.shore_azimuth = 330.0;
  EXPECT_EQ(testing_support::written_text([&](textio::OutputFile& out) {
              shoreline::write_numwaves_record(out, ctx);
              shoreline::write_waveid_records(out, ctx);
              shoreline::write_azimuth_record(out, ctx);
            }),
            crlf_records({numwaves_2, waveid_1, waveid_2, " AZIMUTH:   330.000000000000     "}));
  EXPECT_EQ(waveid_1.size(), 77u);
}

TEST(copy_dun_records, replaces_the_wave_records_and_pads_the_rest) {
  auto ctx = small_context(2, 3);
  ctx.params.shore_azimuth = -12.25;
  const std::string long_record = "TITLE: " + std::string(300, 'x');
  const std::string in_text =
      "! Dunelot control\r\nNX: 10\r\nNUMWAVES: 7\r\n"
      "WAVEID: 4 1.0 9 old.wave\r\nWAVEID: 5 1.0 9 old2.wave\r\n"
      "\r\n" +
      long_record +
      "\r\n AZIMUTH: 1\r\nAZIMUTH: 37.5\r\n"
      "numwaves: 3\r\nWAVEIDS\n" +
      std::string(255, 'y') + "\n";
  auto in = textio::records_from_text("beach.dun", in_text);
  const std::string out = testing_support::written_text(
      [&](textio::OutputFile& o) { shoreline::copy_dun_records(in, o, ctx); });
  // Every WAVEID record gives a full set; a record of 255 or more is kept whole.
  EXPECT_EQ(out, crlf_records({padded("! Dunelot control"), padded("NX: 10"), numwaves_2, waveid_1,
                               waveid_2, waveid_1, waveid_2, padded(""), long_record,
                               padded(" AZIMUTH: 1"), " AZIMUTH:  -12.2500000000000     ",
                               padded("numwaves: 3"), padded("WAVEIDS"), std::string(255, 'y')}));
}

TEST(copy_dun_records, no_station_drops_the_waveid_records) {
  auto ctx = small_context(0, 3);
  auto in = textio::records_from_text("beach.dun", "NUMWAVES: 2\nWAVEID: 1 2 3 a.wave\nDX: 5\n");
  EXPECT_EQ(testing_support::written_text(
                [&](textio::OutputFile& o) { shoreline::copy_dun_records(in, o, ctx); }),
            crlf_records({" NUMWAVES:           0", padded("DX: 5")}));
}

TEST(write_shoreline_control_file, rewrites_an_existing_file) {
  InScratchDir here;
  here.dir.write("beach.dun", "X0: 1.0\nNUMWAVES: 1\nWAVEID: 1 2 3 a.wave\n");
  here.dir.write("beach_new.dun", "an earlier run's output\r\n");
  auto ctx = small_context(2, 3);
  ctx.params.dun_file = context::fixed_text("beach.dun", context::file_name_length);
  CapturedConsole console(ctx);
  shoreline::write_shoreline_control_file(ctx);
  textio::commit_outputs(ctx.outputs);
  EXPECT_EQ(console.text(),
            crlf_records({" Writing wave file header info to output *.dun file: beach.dun",
                          " Writing wave file header info to output *.dun file: beach_new.dun"}));
  EXPECT_EQ(here.dir.read("beach_new.dun"),
            crlf_records({padded("X0: 1.0"), numwaves_2, waveid_1, waveid_2}));
  EXPECT_EQ(ctx.params.dun_waves_file,
            context::fixed_text("beach_new.dun", context::file_name_length));
  EXPECT_EQ(here.dir.read("beach.dun"), "X0: 1.0\nNUMWAVES: 1\nWAVEID: 1 2 3 a.wave\n");
}

TEST(write_shoreline_control_file, missing_file_gives_only_the_wave_records) {
  InScratchDir here;
  auto ctx = small_context(2, 3);
  ctx.params.dun_file = context::fixed_text("beach.dun", context::file_name_length);
  CapturedConsole console(ctx);
  shoreline::write_shoreline_control_file(ctx);
  textio::commit_outputs(ctx.outputs);
  EXPECT_EQ(console.text(),
            crlf_records({" WARNING: Input *.dun file specified as: \"beach.dun\" not found!",
                          " Writing new *.dun file with only wave information.", "",
                          "  ****************************************************** ", "",
                          " Writing wave file header info to output *.dun file: "
                          "Dunelot_waves.dun"}));
  EXPECT_EQ(here.dir.read("Dunelot_waves.dun"), crlf_records({numwaves_2, waveid_1, waveid_2}));
}

}  // namespace
