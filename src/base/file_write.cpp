// Whole-file writes: temporary file, flush, swap; in place with a backup where a swap would
// break the file's identity or cannot be made.
#include "base/file_write.h"

#include <algorithm>
#include <optional>
#include <random>

#include "base/file_paths.h"
#include "base/file_read.h"
#include "base/handles.h"

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
    // One per thread: the snapshot worker makes temporary names while the user saves.
    thread_local std::mt19937 generator(std::random_device{}() ^ ::GetCurrentProcessId() ^ ::GetTickCount() ^
                                        ::GetCurrentThreadId());
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

// The form of a full path that the system takes beyond 259 characters.
std::wstring LongPathForm(const std::wstring& path) {
    if (path.size() <= kMaxPathChars || path.rfind(L"\\\\?\\", 0) == 0) {
        return path;
    }
    if (path.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + path.substr(2);
    }
    return L"\\\\?\\" + path;
}

// The name to show for a path in the long-path form.
std::wstring ShownPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        return L"\\\\" + path.substr(8);
    }
    return path.rfind(L"\\\\?\\", 0) == 0 ? path.substr(4) : path;
}

std::optional<TemporaryFile> CreateTemporaryBeside(const std::wstring& path, const wchar_t* suffix) {
    const std::wstring folder = FolderOf(path);
    if (folder.empty()) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::wstring name = LongPathForm(folder + kTemporaryFilePrefix + RandomHex() + suffix);
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

WriteResult Outcome(WriteOutcome outcome) {
    WriteResult result;
    result.outcome = outcome;
    return result;
}

// A file with more than one name, or a symbolic link, must be written where it is: a swap
// would give the name a new file and leave the other names, or the link's target, behind.
bool MustKeepIdentity(const std::wstring& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return true;
    }
    unique_hfile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    return file && ::GetFileInformationByHandle(file.get(), &info) && info.nNumberOfLinks > 1;
}

// Truncates the existing file (following a symbolic link to its target) and writes the bytes.
bool WriteExistingFile(const std::wstring& path, std::string_view bytes) {
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    return file && WriteAllBytes(file.get(), bytes) && ::SetEndOfFile(file.get()) && ::FlushFileBuffers(file.get()) &&
           CloseChecked(file);
}

bool WriteNewFile(const std::wstring& path, std::string_view bytes) {
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
    if (!file) {
        return false;
    }
    if (WriteAllBytes(file.get(), bytes) && ::FlushFileBuffers(file.get()) && CloseChecked(file)) {
        return true;
    }
    file.reset();
    ::DeleteFileW(path.c_str());
    return false;
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

WriteResult WriteThroughTemporaryFile(const std::wstring& path, std::string_view bytes) {
    const DWORD original = ::GetFileAttributesW(path.c_str());
    const bool exists = original != INVALID_FILE_ATTRIBUTES;
    std::optional<TemporaryFile> temporary = CreateTemporaryBeside(path, L".tmp");
    if (!temporary) {
        return Outcome(WriteOutcome::NotReplaced);
    }
    if (!WriteAllBytes(temporary->Handle(), bytes) || !::FlushFileBuffers(temporary->Handle()) ||
        !temporary->Close()) {
        return Outcome(WriteOutcome::Failed);
    }
    const std::wstring target = temporary->Path().rfind(L"\\\\?\\", 0) == 0 ? LongPathForm(path) : path;
    if (!exists) {
        if (!MoveIntoPlace(temporary->Path(), target)) {
            return Outcome(WriteOutcome::NotReplaced);
        }
    } else if (!::ReplaceFileW(target.c_str(), temporary->Path().c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                               nullptr, nullptr)) {
        if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return Outcome(WriteOutcome::NotReplaced);  // e.g. another program holds the file open
        }
        // Without a backup name ReplaceFileW may fail after the old file is gone; the complete
        // new bytes then take its place, or stay visible under the temporary name.
        if (!MoveIntoPlace(temporary->Path(), target)) {
            PutBackAttributes(temporary->Path(), 0);
            WriteResult result = Outcome(WriteOutcome::Failed);
            result.newBytesKeptIn = ShownPath(temporary->Path());
            temporary->Keep();
            return result;
        }
    }
    temporary->Keep();
    PutBackAttributes(path, exists ? (original & kKeptAttributes) : 0);
    return Outcome(WriteOutcome::Written);
}

WriteResult WriteInPlaceWithBackup(const std::wstring& path, std::string_view bytes) {
    const std::optional<std::string> old = ReadWholeFile(path);
    if (!old) {
        return Outcome(WriteOutcome::Failed);  // without the old bytes there is no way back
    }
    // A copy on disk survives a crash in the middle of the write; where the folder takes no new
    // file, the copy in memory still puts the file back after a failed write.
    std::optional<TemporaryFile> backup = CreateTemporaryBeside(path, L".bak");
    if (backup && !(WriteAllBytes(backup->Handle(), *old) && ::FlushFileBuffers(backup->Handle()) && backup->Close())) {
        backup.reset();
    }
    if (WriteExistingFile(path, bytes)) {
        return Outcome(WriteOutcome::Written);
    }
    WriteResult result = Outcome(WriteOutcome::Failed);
    if (!WriteExistingFile(path, *old) && backup) {
        result.oldBytesKeptIn = ShownPath(backup->Path());
        backup->Keep();
    }
    return result;
}

WriteResult WriteFileSafely(const std::wstring& path, std::string_view bytes) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            return Outcome(WriteOutcome::Failed);
        }
        if (MustKeepIdentity(path, attributes)) {
            return WriteInPlaceWithBackup(path, bytes);
        }
    }
    WriteResult result = WriteThroughTemporaryFile(path, bytes);
    if (result.outcome != WriteOutcome::NotReplaced) {
        return result;
    }
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return Outcome(WriteNewFile(path, bytes) ? WriteOutcome::Written : WriteOutcome::Failed);
    }
    return WriteInPlaceWithBackup(path, bytes);
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) { return WriteFileSafely(path, bytes).Written(); }

}  // namespace kelpo
