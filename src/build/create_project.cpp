// Creating "build.tvk" on disk: listing the folder, reading its sources, writing the file whole.
#include "build/create_project.h"

#include <windows.h>

#include "base/file_paths.h"
#include "base/file_read.h"
#include "base/file_write.h"
#include "base/handles.h"
#include "base/text_convert.h"
#include "build/project_file_writer.h"

namespace kelpo {
namespace {

void Say(const TextSink& out, const std::string& text) {
    if (out) {
        out(text);
    }
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The files of the folder itself, in directory-listing order.
std::vector<std::wstring> FilesOf(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    unique_hfind find(::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, 0));
    if (!find) {
        return names;
    }
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(data.cFileName);
        }
    } while (::FindNextFileW(find.get(), &data));
    return names;
}

std::wstring LastComponent(const std::wstring& folder) {
    std::wstring trimmed = folder.substr(0, folder.size() - 1);
    const std::size_t cut = trimmed.rfind(L'\\');
    return cut == std::wstring::npos ? trimmed : trimmed.substr(cut + 1);
}

std::string WithLineFeeds(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace

bool CreateProject(const std::wstring& folderText, const TextSink& out, const ReplaceExisting& replace) {
    std::optional<std::wstring> full = FullPathOf(folderText);
    if (!full || full->empty()) {
        return false;
    }
    std::wstring folder = *full;
    while (folder.size() > 1 && folder.back() == L'\\') {
        folder.pop_back();
    }
    folder += L'\\';
    const std::string name = WideToAnsi(LastComponent(folder), 255);
    Say(out, "Create .tvk: " + WideToAnsi(folder) + "\n");
    Say(out, "Project Name: " + name + "\n");

    const std::wstring path = folder + L"build.tvk";
    if (IsFile(path) && !(replace && replace(path))) {
        Say(out, "build.tvk already exists and is kept: " + WideToAnsi(path) + "\n");
        return false;
    }

    const std::vector<std::wstring> files = FilesOf(folder);
    std::vector<std::string> texts;
    std::vector<std::string> sources;
    for (const std::wstring& file : files) {
        if (IsScannedSource(file)) {
            if (std::optional<std::string> text = ReadWholeFile(folder + file)) {
                texts.push_back(std::move(*text));
            }
        }
        if (IsListedSource(file)) {
            sources.push_back(WideToAnsi(file));
        }
    }
    std::string pch;
    for (const char* header : {"stdafx.h", "precomp.h", "pch.h"}) {
        if (IsFile(folder + AnsiToWide(header))) {
            pch = header;
            break;
        }
    }
    const std::string text = WriteProjectFile(CreatedProject(name, TargetKindOfSources(texts), pch, sources));
    if (!WriteWholeFile(path, text)) {
        Say(out, "Error : cannot write " + WideToAnsi(path) + "\n");
        return false;
    }
    const std::optional<std::string> written = ReadWholeFile(path);
    Say(out, WithLineFeeds(written ? *written : text));
    return true;
}

bool KeepExistingProject(const std::wstring&) { return false; }

}  // namespace kelpo
