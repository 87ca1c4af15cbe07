// textio/file_removal.h: removing the files that new outputs have replaced,
// beside the run rather than in its way. On some systems removing a file that
// is on disk waits for the disk (to release its blocks); a run that replaces
// hundreds of outputs would spend much of its time waiting so, one file after
// the other. The removals are handed to a helper thread that does nothing
// else, and the run waits for them only where it must: before it reuses a
// name still to be removed, and at its end.
#pragma once

#include <string>

namespace textio {

// Queues the file at path for removal.
void remove_later(std::string path);
// Returns once path is no longer waiting to be removed.
void wait_for_removal(const std::string& path);
// Waits for every queued removal; IoError for the first one that failed
// since the last call.
void finish_removals();

}  // namespace textio
