// The snapshot of an unsaved document that outlives a crash: a short text header (what the
// document was, how it is stored, where the caret was) followed by its UTF-8 text exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_encoding.h"

namespace kelpo {

struct SnapshotHeader {
    bool untitled = false;  // a tab without a file
    std::string name;       // UTF-8: the file's full path, or the tab's name
    FileEncoding encoding = FileEncoding::Ansi;
    LineEndMode lineEnd = LineEndMode::CrLf;
    std::int64_t caret = 0;
    std::int64_t anchor = 0;
};

struct SnapshotRecord {
    SnapshotHeader header;
    std::string text;
};

// The header for a text of `textLength` bytes, ending where the text begins; the caller appends
// the text, so that a large text is copied once. A name with a line break or an empty name gives
// an empty result (such a header could not be read back).
std::string EncodeSnapshotHeader(const SnapshotHeader& header, std::size_t textLength);

// The record of a whole snapshot file. Nothing is trusted: a wrong tag or version, a missing or
// malformed field, a caret outside the text or a length that is not the exact rest of the file
// (cut short or grown) gives none.
std::optional<SnapshotRecord> DecodeSnapshot(std::string_view bytes);

// Where a run keeps its snapshots, all inside the "backup" folder: a lock file "<run>.lock",
// held open for the life of the run and removed last at its normal end, and a folder "<run>"
// holding one "<number>.snapshot" per document.
std::wstring RunName(std::uint32_t processId, std::uint64_t startTime);
std::wstring SnapshotFileName(std::uint32_t serial);
// The run of a lock file's name ("run-12-00ab.lock" -> "run-12-00ab"); none for other names.
std::optional<std::wstring> RunOfLockName(std::wstring_view fileName);
bool IsSnapshotFileName(std::wstring_view fileName);

inline constexpr wchar_t kBackupFolderName[] = L"backup";
// Snapshots that could not be read are moved here rather than deleted.
inline constexpr wchar_t kDamagedFolderName[] = L"damaged";

}  // namespace kelpo
