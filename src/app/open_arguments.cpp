// Resolves command-line file arguments and hands them to the document layer.
#include "app/open_arguments.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "base/handles.h"
#include "base/status_message.h"
#include "doc/document.h"
#include "doc/document_entry.h"

namespace kelpo {
namespace {

std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine) {
    int count = 0;
    unique_argv argv(::CommandLineToArgvW(commandLine, &count));
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i) {
        args.emplace_back(argv[i]);
    }
    return args;
}

std::wstring CurrentDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, buffer);
    return length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::wstring ResolvePath(const std::wstring& baseDirectory, const std::wstring& path) {
    if (!::PathIsRelativeW(path.c_str())) {
        return path;
    }
    wchar_t combined[MAX_PATH] = {};
    if (::PathCombineW(combined, baseDirectory.c_str(), path.c_str()) != nullptr) {
        return combined;
    }
    // Too long for the combining function: hand the joined text on, so that the document
    // layer refuses it with its own message instead of the file silently not opening.
    return baseDirectory + L'\\' + path;
}

}  // namespace

int ParseCommandLine(const wchar_t* baseDirectory, const wchar_t* commandLine) {
    const std::wstring base = baseDirectory != nullptr ? std::wstring(baseDirectory) : CurrentDirectory();
    const std::vector<std::wstring> args =
        SplitCommandLine(commandLine != nullptr ? commandLine : ::GetCommandLineW());
    // Ignored, but not without a word: a path in another system's form reads as a switch here, and
    // without this the user would not learn why nothing opened. A file that fails says so later.
    for (const std::wstring& ignored : IgnoredSwitches(args)) {
        ShowStatusMessage(L"Unknown switch ignored: " + ignored);
    }
    // Only the files that are shown are read now: the last one, and those with a line to go to.
    // The others wait in their tabs until they are first shown.
    const std::vector<FileArgument> files = ParseFileArguments(args);
    std::wstring lastOpened;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const FileArgument& file = files[i];
        const std::wstring path = ResolvePath(base, file.path);
        const bool readNow = file.hasLine || i + 1 == files.size();
        Document* document = readNow ? OpenFileFromArgument(path) : OpenFileFromArgumentLater(path);
        if (document != nullptr && file.hasLine) {
            GoToLineColumn(document, file.line, file.column);
        }
        if (document != nullptr) {
            lastOpened = document->path;
        }
    }
    ActivateDocumentOf(lastOpened);
    return static_cast<int>(files.size());
}

}  // namespace kelpo
