// context/stamp.h: the texts of one output time step.
// Shared run state: every layer may include it.
#pragma once

#include <array>

namespace context {

using Stamp = std::array<char, 14>;  // yyyymmddHHMMSS
using Label = std::array<char, 22>;  // MM/DD/YYYY hh:mm:ss AM

}  // namespace context
