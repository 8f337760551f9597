// A timing trace of start-up for measuring where its time goes: when the environment variable
// KELPO_STARTUP_TRACE names a file, each step appends a line with the milliseconds since the
// process was created; otherwise a step costs one test of a flag.
#pragma once

namespace kelpo {

void TraceStartup(const char* step);

}  // namespace kelpo
