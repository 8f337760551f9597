// Bringing back, at start-up, the unsaved documents of runs that did not end normally.
#pragma once

#include <string>

namespace kelpo {

struct RestoreCount {
    int restored = 0;  // documents that got their text back
    int damaged = 0;   // snapshots that could not be read, moved to backup\damaged
};

// Takes over every ended run in `programFolder`\backup (a run whose lock can be opened: its
// process is gone without removing it) and restores its snapshots after what is open: a file's
// into the file's tab (opened when needed), never onto the disk, an untitled one into a new tab;
// each is left modified and keeps its snapshot, moved into this run. Runs still alive are left
// alone. Needs the keeper running.
RestoreCount RestoreEndedRuns(const std::wstring& programFolder);

// What the status bar says about it; empty when there was nothing.
std::wstring RestoreStatusText(const RestoreCount& count);

}  // namespace kelpo
