// Restoring the snapshots left by runs that ended without removing them.
#include "doc/backup_restore.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "base/file_read.h"
#include "base/handles.h"
#include "base/text_convert.h"
#include "doc/backup_keeper.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_size_limits.h"
#include "doc/snapshot_record.h"

namespace kelpo {
namespace {

std::vector<std::wstring> FileNames(const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    unique_hfind find(::FindFirstFileW(pattern.c_str(), &data));
    if (!find) {
        return names;
    }
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.emplace_back(data.cFileName);
        }
    } while (::FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A file's text goes into the file's tab; a file that is gone, like an untitled text, gets a
// new tab, so the text is never lost for want of its file.
Document* RestoreDocument(const SnapshotRecord& record) {
    const SnapshotHeader& header = record.header;
    Document* document = nullptr;
    if (!header.untitled) {
        if (const std::wstring path = Utf8ToWide(header.name); FileExists(path)) {
            document = OpenDocument(path);
        }
    }
    if (document == nullptr) {
        document = NewDocument(nullptr);
    }
    if (document == nullptr) {
        return nullptr;
    }
    const EditorView& view = *document->view;
    const sptr_t readOnly = view.Call(SCI_GETREADONLY);
    view.Call(SCI_SETREADONLY, 0);
    // Replaced as one undoable change, so that undo leads back to the file's own text.
    view.Call(SCI_SETTARGETRANGE, 0, view.Call(SCI_GETLENGTH));
    view.Call(SCI_REPLACETARGET, record.text.size(), reinterpret_cast<sptr_t>(record.text.data()));
    view.Call(SCI_SETREADONLY, readOnly);
    if (document->encoding != header.encoding || document->lineEnd != header.lineEnd) {
        document->encoding = header.encoding;
        document->lineEnd = header.lineEnd;
        document->formatChanged = true;
        view.Call(SCI_SETEOLMODE, static_cast<int>(header.lineEnd));
    }
    view.Call(SCI_SETSEL, static_cast<sptr_t>(header.anchor), static_cast<sptr_t>(header.caret));
    view.Call(SCI_SCROLLCARET);
    document->modified = true;  // also when the text is the file's, as after undoing every change
    Tabs()->UpdateTab(document);
    NoteDocumentChanged(*document);
    return document;
}

void MoveAside(const std::wstring& backupFolder, const std::wstring& runName, const std::wstring& file) {
    const std::wstring damagedFolder = backupFolder + kDamagedFolderName + L"\\";
    ::CreateDirectoryW(damagedFolder.c_str(), nullptr);
    const std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
    ::MoveFileExW(file.c_str(), (damagedFolder + runName + L"-" + name).c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Restores the run's snapshots; true when nothing of it is left to keep.
bool RestoreRun(const std::wstring& backupFolder, const std::wstring& runName, RestoreCount& count) {
    const std::wstring runFolder = backupFolder + runName + L"\\";
    bool allTaken = true;
    for (const std::wstring& name : FileNames(runFolder + L"*")) {
        const std::wstring file = runFolder + name;
        if (!IsSnapshotFileName(name)) {
            ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);  // a write cut short by the end
            ::DeleteFileW(file.c_str());
            continue;
        }
        const std::optional<std::string> bytes = ReadWholeFile(file, kMaximumFileSize);
        const std::optional<SnapshotRecord> record = bytes ? DecodeSnapshot(*bytes) : std::nullopt;
        if (!record) {
            MoveAside(backupFolder, runName, file);
            ++count.damaged;
            continue;
        }
        Document* document = RestoreDocument(*record);
        if (document == nullptr || !AdoptSnapshot(*document, file)) {
            allTaken = false;  // kept for the next start rather than lost
        }
        if (document != nullptr) {
            ++count.restored;
        }
    }
    return allTaken;
}

}  // namespace

RestoreCount RestoreEndedRuns(const std::wstring& programFolder) {
    RestoreCount count;
    if (!BackupsRunning()) {
        return count;
    }
    const std::wstring backupFolder = programFolder + kBackupFolderName + L"\\";
    const std::wstring ownRun = BackupRunName();
    for (const std::wstring& lockName : FileNames(backupFolder + L"run-*.lock")) {
        const std::optional<std::wstring> run = RunOfLockName(lockName);
        if (!run || *run == ownRun) {
            continue;
        }
        // Held without sharing while restoring, so that another instance starting now leaves it.
        const std::wstring lockPath = backupFolder + lockName;
        unique_hfile lock(::CreateFileW(lockPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!lock) {
            continue;  // alive, or not ours to take
        }
        if (RestoreRun(backupFolder, *run, count)) {
            ::RemoveDirectoryW((backupFolder + *run).c_str());
            lock.reset();
            ::DeleteFileW(lockPath.c_str());
        }
    }
    return count;
}

std::wstring RestoreStatusText(const RestoreCount& count) {
    auto counted = [](int n, const wchar_t* one, const wchar_t* many) {
        return std::to_wstring(n) + L" " + (n == 1 ? one : many);
    };
    std::wstring text;
    if (count.restored > 0) {
        text = L"Restored " + counted(count.restored, L"unsaved document", L"unsaved documents") +
               L" from the last run";
    }
    if (count.damaged > 0) {
        text += text.empty() ? L"Skipped " : L"; skipped ";
        text += counted(count.damaged, L"damaged snapshot", L"damaged snapshots") + L", kept in backup\\damaged";
    }
    return text;
}

}  // namespace kelpo
