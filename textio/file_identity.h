// textio/file_identity.h: whether two names reach the same file.
#pragma once

#include <string>

namespace textio {

// True when both names exist and are one file: the same device and inode
// where the system tells them (hard links and other spellings included),
// else the same normalised absolute path (without regard to case on
// Windows). Symbolic links are followed.
bool same_file(const std::string& a, const std::string& b);

}  // namespace textio
