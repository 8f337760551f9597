// Loading: ASCII and UTF-8 files are read in parts straight into the editor, which holds the
// only whole copy; the others take one read, one detection pass and at most one conversion.
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
#include "doc/file_codec_stream.h"
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

LoadOptions LoadOptionsFor(const std::wstring& path) {
    LoadOptions options;
    options.newFileEncoding = static_cast<FileEncoding>(App().settings.newFileEncode);
    options.defaultLineEnd = static_cast<LineEndMode>(GetBits(App().settings.config1, kC1NewLineModeShift, 2) % 3);
    options.javaFile = HasJavaExtension(path);
    return options;
}

// What a load leaves for the document once the text is in the view.
struct LoadedText {
    FileEncoding encoding = FileEncoding::Ansi;
    LineEndMode lineEnd = LineEndMode::CrLf;
    bool ansiRoundTrips = true;
};

enum class StreamOutcome { Loaded, NeedsWholeFile, ReadFailed, OutOfMemory };

void EmptyView(const EditorView& view) {
    view.Call(SCI_CLEARALL);
    view.Call(SCI_SETSTATUS, SC_STATUS_OK);
}

bool Rewind(HANDLE file) {
    LARGE_INTEGER start{};
    return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
}

// Reads the file from the start in parts through the streamed decode into the sink.
StreamOutcome StreamFile(HANDLE file, std::uint64_t size, const LoadOptions& options, const StreamingDecode::Sink& sink,
                         std::string& part, std::optional<StreamedFile>& streamed) {
    if (!Rewind(file)) {
        return StreamOutcome::ReadFailed;
    }
    StreamingDecode decode(options);
    for (std::uint64_t done = 0; done < size;) {
        const auto wanted = static_cast<DWORD>(std::min<std::uint64_t>(size - done, part.size()));
        DWORD read = 0;
        if (!::ReadFile(file, part.data(), wanted, &read, nullptr) || read == 0) {
            return StreamOutcome::ReadFailed;  // the file shrank or could not be read: no partial text
        }
        if (!decode.Feed(std::string_view(part.data(), read), sink)) {
            return StreamOutcome::NeedsWholeFile;
        }
        done += read;
    }
    streamed = decode.Finish(sink);
    return streamed ? StreamOutcome::Loaded : StreamOutcome::NeedsWholeFile;
}

// Reads the file in parts into the empty view: the component's buffer is sized once for the
// whole file and each part is appended as it arrives. A first pass that keeps nothing tells
// whether the bytes go to the view unchanged, so that the view's buffer is made only for a file
// that streams. The view is left empty unless Loaded.
StreamOutcome StreamIntoView(HANDLE file, std::uint64_t size, const LoadOptions& options, const EditorView& view,
                             LoadedText& loaded) {
    std::string part(static_cast<std::size_t>(std::min<std::uint64_t>(size, kLoadPartSize)), '\0');
    std::optional<StreamedFile> streamed;
    StreamOutcome outcome = StreamFile(file, size, options, [](std::string_view) {}, part, streamed);
    if (outcome != StreamOutcome::Loaded) {
        return outcome;
    }
    view.Call(SCI_SETREADONLY, 0);
    view.Call(SCI_SETUNDOCOLLECTION, 0);
    view.Call(SCI_SETSTATUS, SC_STATUS_OK);
    // One more byte than the text: asking for the character pointer must not grow the buffer.
    view.Call(SCI_ALLOCATE, static_cast<uptr_t>(size + 1));
    std::size_t appended = 0;
    bool memoryFailed = view.Call(SCI_GETSTATUS) != SC_STATUS_OK;
    const StreamingDecode::Sink append = [&](std::string_view text) {
        if (!memoryFailed) {
            view.Call(SCI_APPENDTEXT, text.size(), reinterpret_cast<sptr_t>(text.data()));
            appended += text.size();
            memoryFailed = view.Call(SCI_GETSTATUS) != SC_STATUS_OK;
        }
    };
    // Read again: the file may have changed since the first pass, and this pass decides.
    outcome = memoryFailed ? StreamOutcome::OutOfMemory : StreamFile(file, size, options, append, part, streamed);
    if (outcome == StreamOutcome::Loaded &&
        (memoryFailed || static_cast<std::size_t>(view.Call(SCI_GETLENGTH)) != appended)) {
        outcome = StreamOutcome::OutOfMemory;
    }
    if (outcome != StreamOutcome::Loaded) {
        EmptyView(view);
        return outcome;
    }
    loaded.encoding = streamed->encoding;
    loaded.lineEnd = streamed->lineEnd;
    return outcome;
}

// The whole file; nothing when it could not be read whole.
std::optional<LoadedText> DecodeWholeFile(HANDLE file, std::uint64_t size, const LoadOptions& options,
                                          std::string& text) {
    std::optional<std::string> bytes = ReadWholeFile(file, size);
    if (!bytes) {
        return std::nullopt;
    }
    std::optional<DecodedFile> decoded = DecodeFileBytes(std::move(*bytes), options, SystemAnsiCodePage());
    if (!decoded) {
        return std::nullopt;
    }
    text = std::move(decoded->text);
    return LoadedText{decoded->encoding, decoded->lineEnd, decoded->ansiRoundTrips};
}

// False when the view could not take the whole text (it keeps none then): a partial text
// saved later would cut the file.
bool PutTextIntoView(const EditorView& view, const std::string& text) {
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
        EmptyView(view);
    }
    return whole;
}

// The view's state after a load: caret at the start, no undo history, unmodified.
void SettleLoadedView(Document& document) {
    EditorView& view = *document.view;
    view.Call(SCI_SETEOLMODE, static_cast<int>(document.lineEnd));
    view.Call(SCI_SETSEL, 0, 0);
    view.Call(SCI_EMPTYUNDOBUFFER);
    view.Call(SCI_SETUNDOCOLLECTION, 1);
    view.Call(SCI_SETSAVEPOINT);
    ApplyViewOptions(view);
    view.Call(SCI_SETREADONLY, document.readOnly ? 1 : 0);
}

void TellOutOfMemory(const std::wstring& path) {
    ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR, L"%s\r\ncannot be opened: not enough memory.", path.c_str());
}


// The text goes into the view; false when nothing was loaded (the view keeps what it held, or
// is empty when it took part of a streamed file).
std::optional<LoadedText> LoadIntoView(const std::wstring& path, const EditorView& view, FILETIME& written) {
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    if (!::GetFileTime(file.get(), nullptr, nullptr, &written)) {
        written = FILETIME{};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || !AgreeToSize(path, static_cast<std::uint64_t>(size.QuadPart))) {
        return std::nullopt;
    }
    const auto bytes = static_cast<std::uint64_t>(size.QuadPart);
    const LoadOptions options = LoadOptionsFor(path);
    // A view with text (a reload) keeps it until the new text is whole, so only an empty one
    // takes the file part by part.
    if (view.Call(SCI_GETLENGTH) == 0) {
        LoadedText loaded;
        switch (StreamIntoView(file.get(), bytes, options, view, loaded)) {
        case StreamOutcome::Loaded:
            return loaded;
        case StreamOutcome::ReadFailed:
            return std::nullopt;
        case StreamOutcome::OutOfMemory:
            throw std::bad_alloc();
        case StreamOutcome::NeedsWholeFile:
            break;
        }
        if (!Rewind(file.get())) {
            return std::nullopt;
        }
    }
    std::string text;
    const std::optional<LoadedText> loaded = DecodeWholeFile(file.get(), bytes, options, text);
    if (loaded && !PutTextIntoView(view, text)) {
        throw std::bad_alloc();
    }
    return loaded;
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
    std::optional<LoadedText> loaded;
    FILETIME written{};
    try {
        loaded = LoadIntoView(*fullPath, *document.view, written);
    } catch (const std::bad_alloc&) {
        TellOutOfMemory(*fullPath);
        return false;
    }
    if (!loaded) {
        return false;
    }
    document.path = *fullPath;
    document.displayName = FileNamePart(*fullPath);
    document.fileTime = written;
    document.encoding = loaded->encoding;
    document.lineEnd = loaded->lineEnd;
    document.formatChanged = false;
    document.ansiLossy = !loaded->ansiRoundTrips;
    ClassifyDocument(document);
    SettleLoadedView(document);
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
