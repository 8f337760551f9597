// Putting a whole file on disk so that a failed write never leaves it cut short: the bytes go
// to a temporary file beside it that is swapped in only when complete.
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
    Failed,      // nothing could be written; the file is as it was
    NotReplaced, // no temporary file could be made or swapped in; the file is as it was
};

// Writes a hidden "~kelpo<random>.tmp" in the file's folder, flushes it and swaps it in
// (ReplaceFileW keeps the old file's security; its hidden and system attributes are put back).
// No temporary file remains afterwards.
WriteOutcome WriteThroughTemporaryFile(const std::wstring& path, std::string_view bytes);

// Overwrites the file itself (CREATE_ALWAYS, retried with the file's hidden and system
// attributes, which CREATE_ALWAYS otherwise refuses). A failure here can leave the file cut.
bool WriteInPlace(const std::wstring& path, std::string_view bytes);

// The temporary file first, writing in place only where no temporary file can be used there.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

// The names that WriteThroughTemporaryFile gives its temporary files start with this.
inline constexpr wchar_t kTemporaryFilePrefix[] = L"~kelpo";

}  // namespace kelpo
