// run/status.h: how a step tells the run sequence to go on or to stop.
#pragma once

namespace run {

// error_stop: the step has printed its message; the run makes the error stop
// (the pause prompt, then exit status 1).
enum class Status { ok, error_stop };

}  // namespace run
