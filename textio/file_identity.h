// textio/file_identity.h: whether two names reach the same file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace textio {

// True when both names exist and are one file: the same device and inode
// where the system tells them (hard links and other spellings included),
// else the same normalised absolute path (without regard to case on
// Windows). Symbolic links are followed.
bool same_file(const std::string& a, const std::string& b);

// The index of the first of `names` that is the same file as one of `others`
// (as same_file tells), or names.size() when none is. Each name is looked up
// once, not once per pair: a run checks 200 outputs against its inputs.
std::size_t first_same_file(const std::vector<std::string>& names,
                            const std::vector<std::string>& others);

}  // namespace textio
