// context/status.h: how a step tells the run sequence to go on or to stop.
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

namespace context {

// error_stop: the step has printed its message; the run makes the error stop
// (the pause prompt, then exit status 1). fault: the step has reported on
// standard error a fault of the run's own making that no input check catches;
// the run ends at once with exit status 2, as after a file error.
enum class Status { ok, error_stop, fault };

}  // namespace context
