// The record of one open tab: its editor view and what is known about its file.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/file_encoding.h"
#include "lang/editor_view.h"

namespace kelpo {

enum class DocumentKind : int {
    Ordinary = 0,
    Project = 1,        // a ".tvk" project file of the build front end
    ActiveProject = 2,  // the project file that build commands use
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

    bool HasPath() const { return !path.empty(); }
};

// The file-name part of a path: the text after its last backslash.
std::wstring FileNamePart(const std::wstring& path);

}  // namespace kelpo
