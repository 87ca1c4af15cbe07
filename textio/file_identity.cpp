#include "textio/file_identity.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace textio {

bool same_file(const std::string& a, const std::string& b) {
#ifndef _WIN32
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0)
    return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#else
  std::error_code ec;
  const bool equivalent = std::filesystem::equivalent(a, b, ec);
  if (!ec)
    return equivalent;
  if (!std::filesystem::exists(a, ec) || !std::filesystem::exists(b, ec))
    return false;
  const auto folded = [](const std::string& name) {
    std::error_code abs_ec;
    std::string s = std::filesystem::absolute(name, abs_ec).lexically_normal().string();
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  };
  return folded(a) == folded(b);
#endif
}

}  // namespace textio
