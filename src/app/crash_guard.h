// The last line of defence: an unhandled exception writes a minidump beside the program and ends it.
#pragma once

namespace kelpo {

void InstallCrashGuard();

// Loads the dump writer ahead of need, once the window is up: the start does not wait for it.
void PrepareCrashDumps();

}  // namespace kelpo
