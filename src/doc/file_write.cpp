// Whole-file writes: temporary file, flush, swap; writing in place only as the last resort.
#include "doc/file_write.h"

#include <algorithm>
#include <optional>
#include <random>

#include "base/handles.h"
#include "doc/file_paths.h"

namespace kelpo {
namespace {

// WriteFile takes a 32-bit count; larger texts go in pieces of this size.
constexpr std::size_t kLargestWrite = std::size_t{1} << 30;
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr int kNameAttempts = 16;

WriteCall& CurrentWriteCall() {
    static WriteCall call;
    return call;
}

BOOL CallWrite(HANDLE file, const void* data, DWORD size, DWORD* written) {
    if (const WriteCall& call = CurrentWriteCall()) {
        return call(file, data, size, written);
    }
    return ::WriteFile(file, data, size, written, nullptr);
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring RandomHex() {
    static std::mt19937 generator(std::random_device{}() ^ ::GetCurrentProcessId() ^ ::GetTickCount());
    std::uint32_t value = generator();
    std::wstring text(8, L'0');
    for (auto it = text.rbegin(); it != text.rend(); ++it, value >>= 4) {
        *it = L"0123456789abcdef"[value & 0xF];
    }
    return text;
}

bool CloseChecked(unique_hfile& file) { return ::CloseHandle(file.release()) != 0; }

// The hidden file that receives the bytes; deleted at the end of its scope unless kept.
class TemporaryFile {
public:
    TemporaryFile(std::wstring path, HANDLE handle) : path_(std::move(path)), handle_(handle) {}
    TemporaryFile(TemporaryFile&& other) noexcept : path_(std::move(other.path_)), handle_(std::move(other.handle_)) {
        other.path_.clear();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    ~TemporaryFile() {
        handle_.reset();
        if (!path_.empty()) {
            ::DeleteFileW(path_.c_str());
        }
    }

    const std::wstring& Path() const { return path_; }
    HANDLE Handle() const { return handle_.get(); }
    bool Close() { return CloseChecked(handle_); }
    // It has become the target, or it holds the only complete copy of the bytes.
    void Keep() { path_.clear(); }

private:
    std::wstring path_;
    unique_hfile handle_;
};

std::optional<TemporaryFile> CreateTemporaryBeside(const std::wstring& path) {
    const std::wstring folder = FolderOf(path);
    if (folder.empty()) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::wstring name = folder + kTemporaryFilePrefix + RandomHex() + L".tmp";
        if (name.size() > kMaxPathChars) {
            return std::nullopt;
        }
        HANDLE handle =
            ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return TemporaryFile(std::move(name), handle);
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The swapped-in file carries the temporary file's attributes on some systems; the user's
// hidden and system bits belong to the file, not to how it was written.
void PutBackAttributes(const std::wstring& path, DWORD kept) {
    const DWORD now = ::GetFileAttributesW(path.c_str());
    if (now == INVALID_FILE_ATTRIBUTES || (now & kKeptAttributes) == kept) {
        return;
    }
    const DWORD wanted = (now & kSettableAttributes & ~kKeptAttributes) | kept;
    ::SetFileAttributesW(path.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
}

bool MoveIntoPlace(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

bool WriteAllBytes(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
        DWORD written = 0;
        if (!CallWrite(file, bytes.data(), size, &written) || written != size) {
            return false;
        }
        bytes.remove_prefix(size);
    }
    return true;
}

void SetWriteCall(WriteCall call) { CurrentWriteCall() = std::move(call); }

WriteOutcome WriteThroughTemporaryFile(const std::wstring& path, std::string_view bytes) {
    const DWORD original = ::GetFileAttributesW(path.c_str());
    const bool exists = original != INVALID_FILE_ATTRIBUTES;
    std::optional<TemporaryFile> temporary = CreateTemporaryBeside(path);
    if (!temporary) {
        return WriteOutcome::NotReplaced;
    }
    if (!WriteAllBytes(temporary->Handle(), bytes) || !::FlushFileBuffers(temporary->Handle()) ||
        !temporary->Close()) {
        return WriteOutcome::Failed;
    }
    if (!exists) {
        if (!MoveIntoPlace(temporary->Path(), path)) {
            return WriteOutcome::NotReplaced;
        }
    } else if (!::ReplaceFileW(path.c_str(), temporary->Path().c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                               nullptr, nullptr)) {
        if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return WriteOutcome::NotReplaced;  // e.g. another program holds the file open
        }
        // Without a backup name ReplaceFileW may fail after the old file is gone; the complete
        // new bytes then take its place, or stay visible under the temporary name.
        if (!MoveIntoPlace(temporary->Path(), path)) {
            PutBackAttributes(temporary->Path(), 0);
            temporary->Keep();
            return WriteOutcome::Failed;
        }
    }
    temporary->Keep();
    PutBackAttributes(path, exists ? (original & kKeptAttributes) : 0);
    return WriteOutcome::Written;
}

bool WriteInPlace(const std::wstring& path, std::string_view bytes) {
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_WRITE, share, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
    if (!file) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kKeptAttributes) == 0) {
            return false;
        }
        file.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                                 attributes & kKeptAttributes, nullptr));
        if (!file) {
            return false;
        }
    }
    return WriteAllBytes(file.get(), bytes) && ::SetEndOfFile(file.get()) && ::FlushFileBuffers(file.get()) &&
           CloseChecked(file);
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    switch (WriteThroughTemporaryFile(path, bytes)) {
    case WriteOutcome::Written:
        return true;
    case WriteOutcome::Failed:
        return false;
    case WriteOutcome::NotReplaced:
        break;
    }
    return WriteInPlace(path, bytes);
}

}  // namespace kelpo
