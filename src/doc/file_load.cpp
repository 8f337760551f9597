// Loading: one read, one detection pass, at most one conversion, one SCI_ADDTEXT.
#include "doc/file_load.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "base/app_state.h"
#include "base/file_paths.h"
#include "base/handles.h"
#include "base/message_box.h"
#include "base/recent_lists.h"
#include "base/status_message.h"
#include "doc/ansi_code_page_win.h"
#include "doc/encoding_detection.h"
#include "doc/file_codec.h"
#include "doc/file_size_limits.h"
#include "doc/project_marks.h"
#include "lang/language_catalogue.h"
#include "lang/view_language.h"
#include "lang/view_setup.h"

namespace kelpo {
namespace {

// ReadFile takes a 32-bit count; larger files are read in pieces of this size.
constexpr std::size_t kLargestRead = std::size_t{1} << 30;

bool AgreeToSize(const std::wstring& path, std::uint64_t size) {
    switch (CheckFileSize(size)) {
    case FileSizeCheck::Refuse:
        ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR, L"%s\r\nis too large to open (more than 500 MB).",
                    path.c_str());
        return false;
    case FileSizeCheck::AskFirst:
        return ShowMessage(App().mainWindow, MB_OKCANCEL | MB_ICONQUESTION,
                           L"%s\r\nis larger than 60 MB. Open it anyway?", path.c_str()) == IDOK;
    case FileSizeCheck::Open:
        break;
    }
    return true;
}

// The whole file; nothing when it could not be read whole.
std::optional<std::string> ReadWholeFile(HANDLE file, std::uint64_t size) {
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kLargestRead));
        DWORD read = 0;
        if (!::ReadFile(file, bytes.data() + done, chunk, &read, nullptr) || read == 0) {
            return std::nullopt;  // the file shrank or could not be read: no partial text
        }
        done += read;
    }
    return bytes;
}

struct FileContents {
    FILETIME written{};
    std::string bytes;
};

std::optional<FileContents> ReadFileContents(const std::wstring& path) {
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    FileContents contents;
    if (!::GetFileTime(file.get(), nullptr, nullptr, &contents.written)) {
        contents.written = FILETIME{};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || !AgreeToSize(path, static_cast<std::uint64_t>(size.QuadPart))) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadWholeFile(file.get(), static_cast<std::uint64_t>(size.QuadPart));
    if (!bytes) {
        return std::nullopt;
    }
    contents.bytes = std::move(*bytes);
    return contents;
}

std::optional<DecodedFile> Decode(std::string bytes, const std::wstring& path) {
    LoadOptions options;
    options.newFileEncoding = static_cast<FileEncoding>(App().settings.newFileEncode);
    options.defaultLineEnd = static_cast<LineEndMode>(GetBits(App().settings.config1, kC1NewLineModeShift, 2) % 3);
    options.javaFile = HasJavaExtension(path);
    return DecodeFileBytes(std::move(bytes), options, SystemAnsiCodePage());
}

// False when the view could not take the whole text (it keeps none then): a partial text
// saved later would cut the file.
bool PutTextIntoView(Document& document, const std::string& text) {
    EditorView& view = *document.view;
    view.Call(SCI_SETREADONLY, 0);
    view.Call(SCI_BEGINUNDOACTION);
    view.Call(SCI_CLEARALL);
    view.Call(SCI_ENDUNDOACTION);
    view.Call(SCI_SETUNDOCOLLECTION, 0);
    view.Call(SCI_SETSTATUS, SC_STATUS_OK);
    view.Call(SCI_ADDTEXT, text.size(), reinterpret_cast<sptr_t>(text.data()));
    const bool whole = view.Call(SCI_GETSTATUS) == SC_STATUS_OK &&
                       static_cast<std::size_t>(view.Call(SCI_GETLENGTH)) == text.size();
    if (!whole) {
        view.Call(SCI_CLEARALL);
        view.Call(SCI_SETSTATUS, SC_STATUS_OK);
    }
    view.Call(SCI_SETEOLMODE, static_cast<int>(document.lineEnd));
    view.Call(SCI_SETSEL, 0, 0);
    view.Call(SCI_EMPTYUNDOBUFFER);
    view.Call(SCI_SETUNDOCOLLECTION, 1);
    view.Call(SCI_SETSAVEPOINT);
    ApplyViewOptions(view);
    view.Call(SCI_SETREADONLY, document.readOnly ? 1 : 0);
    return whole;
}

void TellOutOfMemory(const std::wstring& path) {
    ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR, L"%s\r\ncannot be opened: not enough memory.", path.c_str());
}

}  // namespace

void ClassifyDocument(Document& document) {
    document.modified = false;
    const DWORD attributes = ::GetFileAttributesW(document.path.c_str());
    document.readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    ClassifyProjectFile(document);
    const LanguageDef& language = ChooseLanguageForFile(document.displayName);
    ApplyLanguage(*document.view, language);
}

bool LoadFile(Document& document, const std::wstring& path) {
    const std::optional<std::wstring> fullPath = FullPathOf(path);
    if (!fullPath) {
        return false;
    }
    std::optional<DecodedFile> decoded;
    FILETIME written{};
    try {
        std::optional<FileContents> contents = ReadFileContents(*fullPath);
        if (!contents) {
            return false;
        }
        written = contents->written;
        decoded = Decode(std::move(contents->bytes), *fullPath);
    } catch (const std::bad_alloc&) {
        TellOutOfMemory(*fullPath);
        return false;
    }
    if (!decoded) {
        return false;
    }
    document.path = *fullPath;
    document.displayName = FileNamePart(*fullPath);
    document.fileTime = written;
    document.encoding = decoded->encoding;
    document.lineEnd = decoded->lineEnd;
    document.formatChanged = false;
    document.ansiLossy = !decoded->ansiRoundTrips;
    ClassifyDocument(document);
    if (!PutTextIntoView(document, decoded->text)) {
        TellOutOfMemory(*fullPath);
        return false;
    }
    AddRecentFile(document.path, document.kind != DocumentKind::Ordinary);
    if (document.ansiLossy) {
        ShowStatusMessage(FileNamePart(*fullPath) + L": some bytes are not valid in the ANSI code page; "
                          L"saving in ANSI would change them.");
    }
    return true;
}

std::wstring OpenFailureText(const std::wstring& path) {
    std::wstring text = L"Cannot open file: " + path;
    if (!path.empty() && !FullPathOf(path)) {
        text += L" (a path may have at most " + std::to_wstring(kMaxPathChars) + L" characters)";
    }
    return text;
}

}  // namespace kelpo
