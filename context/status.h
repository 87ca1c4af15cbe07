// context/status.h: how a step tells the run sequence to go on or to stop.
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

namespace context {

// error_stop: the step has printed its message; the run makes the error stop
// (the pause prompt, then exit status 1).
enum class Status { ok, error_stop };

}  // namespace context
