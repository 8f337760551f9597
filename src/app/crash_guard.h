// The last line of defence: an unhandled exception writes a minidump beside the program and ends it.
#pragma once

namespace kelpo {

void InstallCrashGuard();

}  // namespace kelpo
