// The record of one open tab: its editor view and what is known about its file.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/file_encoding.h"
#include "base/file_identity.h"
#include "lang/editor_view.h"

namespace kelpo {

enum class DocumentKind : int {
    Ordinary = 0,
    Project = 1,        // a ".tvk" project file of the build front end
    ActiveProject = 2,  // the project file that build commands use
};

// Where a view stood: its top line (not counting lines hidden by folding), selection, horizontal
// scroll and bookmarks.
struct RestoredPlace {
    int firstLine = 0;
    int selectionStart = 0;
    int selectionEnd = 0;
    int xOffset = 0;
    std::vector<int> bookmarks;
};

struct Document {
    std::unique_ptr<EditorView> view;
    bool readOnly = false;
    bool modified = false;
    // The encoding or the line ends were changed since the file was read or written: the
    // document stays modified through undo until a save or reload.
    bool formatChanged = false;
    // The file's bytes did not come back unchanged through the ANSI code page when it was read,
    // so saving it in ANSI would change them.
    bool ansiLossy = false;
    DocumentKind kind = DocumentKind::Ordinary;
    LineEndMode lineEnd = LineEndMode::CrLf;
    FileEncoding encoding = FileEncoding::Ansi;
    std::wstring path;         // full path; empty for a new document
    std::wstring displayName;  // file-name part of the path, or the generated name of a new document
    FILETIME fileTime{};       // last write as this program last read or wrote it; 0 when unknown
    int listPosition = 0;
    // A tab restored with its name and path only: its view is an empty window until the tab is
    // first shown or its text is needed, when this reads the file into it (false when that fails).
    std::function<bool(Document&)> deferredLoad;
    // The place its view is to take once loaded, as the session recorded it.
    std::optional<RestoredPlace> placeToRestore;
    // The identity of the file, taken for this path and file time (see DocumentTabs::FindByPath).
    struct KnownIdentity {
        std::wstring path;
        FILETIME fileTime{};
        FileIdentity identity;
    };
    std::optional<KnownIdentity> knownIdentity;

    bool HasPath() const { return !path.empty(); }
    bool IsLoaded() const { return !deferredLoad; }
    // Runs the deferred load once; true when the text is (now) in the view.
    bool LoadDeferred() {
        if (IsLoaded()) return true;
        const std::function<bool(Document&)> load = std::move(deferredLoad);
        deferredLoad = nullptr;
        return load(*this);
    }
};

// The file-name part of a path: the text after its last backslash.
std::wstring FileNamePart(const std::wstring& path);

}  // namespace kelpo
