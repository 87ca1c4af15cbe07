// context/version.h: the program's version, as the build gives it.
// Shared run state: every layer may include it.
#pragma once

namespace context {

#ifdef QUILBAR_VERSION
inline constexpr const char* program_version = QUILBAR_VERSION;
#else
inline constexpr const char* program_version = "unknown";
#endif

}  // namespace context
