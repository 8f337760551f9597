// The run's snapshots: one entry per modified document, one timer, one worker.
#include "doc/backup_keeper.h"

#include <memory>
#include <unordered_map>
#include <utility>

#include "base/handles.h"
#include "base/text_convert.h"
#include "doc/snapshot_record.h"
#include "doc/snapshot_writer.h"

namespace kelpo {
namespace {

constexpr ULONGLONG kQuietTime = 3000;  // after the last change
constexpr ULONGLONG kLongestWait = 30000;  // after the first change not yet written, for steady typing
constexpr UINT kTickInterval = 500;

struct Entry {
    std::uint32_t serial = 0;
    bool pending = false;
    bool written = false;
    ULONGLONG lastChange = 0;
    ULONGLONG firstChange = 0;
};

struct Keeper {
    HWND window = nullptr;
    std::wstring runName;
    std::wstring folder;  // with a trailing backslash
    std::wstring lockPath;
    unique_hfile lock;
    SnapshotWriter writer;
    std::unordered_map<const Document*, Entry> entries;
    std::uint32_t nextSerial = 1;
    bool ticking = false;

    std::wstring FileOf(const Entry& entry) const { return folder + SnapshotFileName(entry.serial); }
};

std::unique_ptr<Keeper>& TheKeeper() {
    static std::unique_ptr<Keeper> keeper;
    return keeper;
}

std::uint64_t StartTime() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

Entry& EntryOf(Keeper& keeper, const Document& document) {
    Entry& entry = keeper.entries[&document];
    if (entry.serial == 0) {
        entry.serial = keeper.nextSerial++;
    }
    return entry;
}

// The text is copied here, on the user's thread, straight behind the header (one memory copy
// from the component's buffer); the worker does the rest.
void WriteSnapshot(Keeper& keeper, const Document& document, Entry& entry) {
    const EditorView& view = *document.view;
    SnapshotHeader header;
    header.untitled = !document.HasPath();
    header.name = WideToUtf8(document.HasPath() ? document.path : document.displayName);
    header.encoding = document.encoding;
    header.lineEnd = document.lineEnd;
    header.caret = view.Call(SCI_GETCURRENTPOS);
    header.anchor = view.Call(SCI_GETANCHOR);
    const auto length = static_cast<std::size_t>(view.Call(SCI_GETLENGTH));
    std::string bytes = EncodeSnapshotHeader(header, length);
    if (bytes.empty()) {
        return;
    }
    bytes.reserve(bytes.size() + length);
    bytes.append(reinterpret_cast<const char*>(view.Call(SCI_GETCHARACTERPOINTER)), length);
    keeper.writer.Write(keeper.FileOf(entry), std::move(bytes));
    entry.written = true;
}

void RemoveSnapshot(Keeper& keeper, Entry& entry) {
    if (entry.written) {
        keeper.writer.Remove(keeper.FileOf(entry));
        entry.written = false;
    }
    entry.pending = false;
    entry.firstChange = 0;
}

void SetTicking(Keeper& keeper, bool ticking) {
    if (ticking == keeper.ticking) {
        return;
    }
    keeper.ticking = ticking;
    if (ticking) {
        ::SetTimer(keeper.window, kBackupTimerId, kTickInterval, nullptr);
    } else {
        ::KillTimer(keeper.window, kBackupTimerId);
    }
}

// Writes the snapshots whose document has been still long enough (all of them when `all`).
void WriteDue(Keeper& keeper, bool all) {
    const ULONGLONG now = ::GetTickCount64();
    bool waiting = false;
    for (auto& [document, entry] : keeper.entries) {
        if (!entry.pending) {
            continue;
        }
        if (!all && now - entry.lastChange < kQuietTime && now - entry.firstChange < kLongestWait) {
            waiting = true;
            continue;
        }
        entry.pending = false;
        entry.firstChange = 0;
        if (document->modified) {
            WriteSnapshot(keeper, *document, entry);
        } else {
            RemoveSnapshot(keeper, entry);
        }
    }
    SetTicking(keeper, waiting);
}

void RemoveFolderFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    unique_hfind find(::FindFirstFileW((folder + L"*").c_str(), &data));
    if (!find) {
        return;
    }
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::wstring path = folder + data.cFileName;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // the writer's hidden temporary files
            ::DeleteFileW(path.c_str());
        }
    } while (::FindNextFileW(find.get(), &data));
}

}  // namespace

bool StartBackups(const std::wstring& programFolder, HWND window) {
    EndBackups(false);
    auto keeper = std::make_unique<Keeper>();
    const std::wstring backupFolder = programFolder + kBackupFolderName + L"\\";
    keeper->window = window;
    keeper->runName = RunName(::GetCurrentProcessId(), StartTime());
    keeper->folder = backupFolder + keeper->runName + L"\\";
    keeper->lockPath = backupFolder + keeper->runName + L".lock";
    if (!::CreateDirectoryW(backupFolder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    // The lock comes first and stays open with no sharing: while it cannot be opened the run is alive.
    keeper->lock.reset(::CreateFileW(keeper->lockPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!keeper->lock) {
        return false;
    }
    if (!::CreateDirectoryW(keeper->folder.c_str(), nullptr)) {
        keeper->lock.reset();
        ::DeleteFileW(keeper->lockPath.c_str());
        return false;
    }
    TheKeeper() = std::move(keeper);
    return true;
}

void EndBackups(bool normalExit) {
    std::unique_ptr<Keeper> keeper = std::move(TheKeeper());
    if (!keeper) {
        return;
    }
    SetTicking(*keeper, false);
    keeper->writer.Stop(!normalExit);
    if (!normalExit) {
        return;  // the lock is closed with the keeper; the next start finds the run ended
    }
    RemoveFolderFiles(keeper->folder);
    ::RemoveDirectoryW(keeper->folder.c_str());
    keeper->lock.reset();
    ::DeleteFileW(keeper->lockPath.c_str());
    // Gone when nothing else is kept there (other runs, damaged snapshots).
    const std::wstring backupFolder = keeper->folder.substr(0, keeper->folder.size() - keeper->runName.size() - 1);
    ::RemoveDirectoryW(backupFolder.c_str());
}

bool BackupsRunning() { return TheKeeper() != nullptr; }

void NoteDocumentChanged(Document& document) {
    Keeper* keeper = TheKeeper().get();
    if (keeper == nullptr || !document.view) {
        return;
    }
    if (!document.modified) {
        // Repainting reports content changes of unmodified documents too: those need no entry.
        if (const auto found = keeper->entries.find(&document); found != keeper->entries.end()) {
            RemoveSnapshot(*keeper, found->second);
        }
        return;
    }
    Entry& entry = EntryOf(*keeper, document);
    const ULONGLONG now = ::GetTickCount64();
    entry.lastChange = now;
    if (!entry.pending) {
        entry.pending = true;
        entry.firstChange = now;
    }
    SetTicking(*keeper, true);
}

void ForgetDocumentSnapshot(Document& document) {
    Keeper* keeper = TheKeeper().get();
    if (keeper == nullptr) {
        return;
    }
    if (const auto found = keeper->entries.find(&document); found != keeper->entries.end()) {
        RemoveSnapshot(*keeper, found->second);
        keeper->entries.erase(found);
    }
}

void OnBackupTimer() {
    if (Keeper* keeper = TheKeeper().get()) {
        WriteDue(*keeper, false);
    }
}

void FlushBackups() {
    if (Keeper* keeper = TheKeeper().get()) {
        WriteDue(*keeper, true);
        keeper->writer.Finish();
    }
}

bool AdoptSnapshot(Document& document, const std::wstring& file) {
    Keeper* keeper = TheKeeper().get();
    if (keeper == nullptr) {
        return false;
    }
    Entry& entry = EntryOf(*keeper, document);
    keeper->writer.Finish();  // nothing of this entry may be written or removed meanwhile
    if (!::MoveFileExW(file.c_str(), keeper->FileOf(entry).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return false;
    }
    entry.written = true;
    return true;
}

std::wstring BackupRunFolder() { return TheKeeper() ? TheKeeper()->folder : std::wstring(); }

std::wstring BackupRunName() { return TheKeeper() ? TheKeeper()->runName : std::wstring(); }

}  // namespace kelpo
