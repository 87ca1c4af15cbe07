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

std::size_t first_same_file(const std::vector<std::string>& names,
                            const std::vector<std::string>& others) {
#ifndef _WIN32
  struct Identity {
    dev_t device;
    ino_t inode;
  };
  std::vector<Identity> known;
  known.reserve(others.size());
  for (const std::string& other : others) {
    struct stat s;
    if (::stat(other.c_str(), &s) == 0)
      known.push_back({s.st_dev, s.st_ino});
  }
  for (std::size_t k = 0; k < names.size(); ++k) {
    struct stat s;
    if (known.empty() || ::stat(names[k].c_str(), &s) != 0)
      continue;
    for (const Identity& id : known) {
      if (id.device == s.st_dev && id.inode == s.st_ino)
        return k;
    }
  }
#else
  for (std::size_t k = 0; k < names.size(); ++k) {
    for (const std::string& other : others) {
      if (same_file(names[k], other))
        return k;
    }
  }
#endif
  return names.size();
}

}  // namespace textio
