// Every keyword of the control file and every message of the error stops is
// documented in the manual page or the reference pages: a new keyword or
// message without documentation fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

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

// Every source file of the program, as the build lists them.
std::vector<std::string> product_sources() {
  std::vector<std::string> sources;
  const std::string list = QUILBAR_CORE_SOURCE_LIST;
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t end = std::min(list.find(',', at), list.size());
    if (end > at)
      sources.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return sources;
}

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
  const std::vector<std::string> sources = product_sources();
  EXPECT_GE(sources.size(), 40u);
  for (const std::string& source : sources) {
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
