// Every keyword of the control file and every message of the error stops is
// documented in the manual page or the reference pages: a new keyword or
// message without documentation fails here.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "tests/support.h"

namespace {

using testing_support::read_source_file;

// Runs of blanks and line ends as one blank, so that wrapped text matches.
std::string single_spaced(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (!blank)
      out += c;
    else if (!out.empty() && out.back() != ' ')
      out += ' ';
  }
  return out;
}

std::string documentation() {
  std::string all;
  for (const char* page : {"docs/quilbar.1", "docs/control-file.md", "docs/file-formats.md",
                           "docs/behaviour-notes.md"})
    all += read_source_file(page) + "\n";
  return single_spaced(all);
}

const char* const product_sources[] = {
    "run/control_file.cpp",         "wavemodel/station_list.cpp",
    "wavemodel/depth_grid.cpp",     "wavemodel/event_counts.cpp",
    "wavemodel/station_output.cpp", "convert/time_axis.cpp",
    "convert/conversion.cpp",       "convert/directions.cpp",
    "context/table_memory.cpp",     "shoreline/shoreline_output.cpp",
    "shoreline/cell_widths.cpp",    "shoreline/control_rewrite.cpp",
    "run/output_names.cpp",         "report/run_report.cpp",
};

TEST(documentation, every_keyword_and_message_is_documented) {
  const std::string docs = documentation();
  const std::string control = read_source_file("run/control_file.cpp");
  const std::regex keyword(R"re(key == "([^"]+)")re");
  int keywords = 0;
  for (auto it = std::sregex_iterator(control.begin(), control.end(), keyword);
       it != std::sregex_iterator(); ++it, ++keywords) {
    const std::string key = (*it)[1];
    EXPECT_NE(docs.find("`" + key + "`"), std::string::npos) << "keyword " << key;
    EXPECT_NE(docs.find(".B " + key), std::string::npos) << "keyword " << key << " in the manual";
  }
  EXPECT_GE(keywords, 20);

  // The opening text of each message, up to its first quotation mark.
  const std::regex message(R"re("((ERROR|WARNING): [^"\\]*))re");
  std::set<std::string> messages;
  for (const char* source : product_sources) {
    const std::string text = read_source_file(source);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), message);
         it != std::sregex_iterator(); ++it) {
      std::string m = single_spaced((*it)[1]);
      while (!m.empty() && m.back() == ' ') m.pop_back();
      messages.insert(m);
    }
  }
  EXPECT_GE(messages.size(), 18u);
  for (const auto& m : messages) EXPECT_NE(docs.find(m), std::string::npos) << m;
}

}  // namespace
