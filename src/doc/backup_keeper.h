// Snapshots of modified documents while the program runs: written a few seconds after the last
// change by a worker, removed when the document is saved, reverted or closed, and all removed at
// a normal exit, so that what is left in the "backup" folder marks a run that did not end well.
#pragma once

#include <windows.h>

#include <string>

#include "doc/document.h"

namespace kelpo {

// The main window's WM_TIMER identifier that OnBackupTimer answers.
inline constexpr UINT_PTR kBackupTimerId = 0x6B62;

// Takes this run's lock and folder under `programFolder`\backup and starts the worker; false
// (and nothing kept) when the folder or the lock cannot be made. The timer goes to `window`.
bool StartBackups(const std::wstring& programFolder, HWND window);
// At a normal exit every snapshot of the run goes, then its folder and lock; otherwise (a
// window destroyed without closing) they stay for the next start. The worker is joined.
void EndBackups(bool normalExit);
bool BackupsRunning();

// The text, encoding or line ends of the document changed, or it reached its saved state.
// A modified document's snapshot is written once it has been still for a few seconds (and at
// the latest half a minute after the change); a document no longer modified loses it at once.
void NoteDocumentChanged(Document& document);
// The tab is going: a snapshot of it goes too.
void ForgetDocumentSnapshot(Document& document);
void OnBackupTimer();

// Test and restore hooks: writes the due snapshots at once and waits for the worker.
void FlushBackups();
// The snapshot file of a restored document, moved from a dead run into this one, so that it is
// never without a snapshot on disk; false when it could not be moved.
bool AdoptSnapshot(Document& document, const std::wstring& file);
// This run's folder and lock names ("...\backup\run-...\" and its ".lock"); empty when not running.
std::wstring BackupRunFolder();
std::wstring BackupRunName();

}  // namespace kelpo
