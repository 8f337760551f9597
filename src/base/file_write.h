// Putting a whole file on disk so that a failed write never leaves it cut short: the bytes go
// to a temporary file beside it that is swapped in only when complete, or, where the file must
// keep its identity (hard links, symbolic links) or cannot be swapped, into the file itself with
// a backup copy that is put back when anything fails.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace kelpo {

// The shape of WriteFile without the overlapped argument.
using WriteCall = std::function<BOOL(HANDLE file, const void* data, DWORD size, DWORD* written)>;

// Every byte in order; false at the first failed or short write.
bool WriteAllBytes(HANDLE file, std::string_view bytes);

// Replaces the system's WriteFile in WriteAllBytes, so that tests can make a write fail midway;
// an empty call puts the system's back.
void SetWriteCall(WriteCall call);

enum class WriteOutcome {
    Written,     // the file holds exactly the bytes
    Failed,      // the bytes could not be written; see WriteResult for where things are
    NotReplaced, // no temporary file could be made or swapped in; the file is as it was
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Failed;
    // Not empty when the bytes could not take the file's place but a complete copy of them is
    // kept under this name (the old file may be gone).
    std::wstring newBytesKeptIn;
    // Not empty when the file was changed in place, could not be put back, and its old
    // content is kept under this name.
    std::wstring oldBytesKeptIn;

    bool Written() const { return outcome == WriteOutcome::Written; }
};

// Writes a hidden "~kelpo<random>.tmp" in the file's folder, flushes it and swaps it in
// (ReplaceFileW keeps the old file's security; its hidden and system attributes are put back).
// A folder path too long for the temporary name is reached through the long-path form.
WriteResult WriteThroughTemporaryFile(const std::wstring& path, std::string_view bytes);

// Writes into the existing file itself, so that it keeps its identity: every hard link sees
// the new bytes and a symbolic link stays a link. The old bytes are first copied to a hidden
// "~kelpo<random>.bak" beside it (or kept in memory where no copy can be made there) and are
// put back if any write fails; the copy is removed afterwards.
WriteResult WriteInPlaceWithBackup(const std::wstring& path, std::string_view bytes);

// The way the file needs: in place for a file with more than one name or a symbolic link,
// otherwise through a temporary file, and in place with a backup where no temporary file can
// be swapped in (a folder that takes no new files, a file held open by another program).
// Never overwrites without a way back; a folder is never written.
WriteResult WriteFileSafely(const std::wstring& path, std::string_view bytes);

// WriteFileSafely for callers that only need to know whether the bytes are on disk.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

// The names of the temporary and backup files start with this.
inline constexpr wchar_t kTemporaryFilePrefix[] = L"~kelpo";

}  // namespace kelpo
