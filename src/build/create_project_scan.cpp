// The source scan of project creation and the created project's fields.
#include "build/create_project.h"

namespace kelpo {
namespace {

constexpr std::size_t kLineChunk = 511;

// The first occurrence of the word followed by blanks or tabs and "(".
bool CallsWord(std::string_view line, std::string_view word) {
    std::size_t at = line.find(word);
    if (at == std::string_view::npos) {
        return false;
    }
    at += word.size();
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
        ++at;
    }
    return at < line.size() && line[at] == '(';
}

wchar_t Fold(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::wstring Folded(std::wstring_view name) {
    std::wstring folded;
    for (wchar_t c : name) {
        folded += Fold(c);
    }
    return folded;
}

bool HasExtension(std::wstring_view name, std::initializer_list<std::wstring_view> extensions) {
    const std::wstring folded = Folded(name);
    for (std::wstring_view extension : extensions) {
        if (folded.size() > extension.size() && folded.ends_with(extension)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<TargetKind> TargetKindOfLine(std::string_view line) {
    if (line.starts_with("BEGIN_MESSAGE_MAP(")) {
        return TargetKind{"EXE", "MFCSTATIC"};
    }
    if (CallsWord(line, "DllMain")) {
        return TargetKind{"DLL", "LIBCMT"};
    }
    if (CallsWord(line, "DriverEntry")) {
        return TargetKind{"SYS", "NONE"};
    }
    if (CallsWord(line, "main") || CallsWord(line, "WinMain")) {
        return TargetKind{"EXE", "LIBCMT"};
    }
    return std::nullopt;
}

TargetKind TargetKindOfSources(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end + 1;
            for (std::size_t piece = start; piece < end; piece += kLineChunk) {
                if (auto kind = TargetKindOfLine(std::string_view(text).substr(piece, std::min(kLineChunk, end - piece)))) {
                    return *kind;
                }
            }
            start = end;
        }
    }
    return TargetKind{"LIB", "LIBCMT"};
}

bool IsScannedSource(std::wstring_view name) { return HasExtension(name, {L".c", L".cpp", L".cxx"}); }

bool IsListedSource(std::wstring_view name) {
    const std::wstring folded = Folded(name);
    if (folded.find(L"stdafx.c") != std::wstring::npos || folded.find(L"precomp.c") != std::wstring::npos) {
        return false;
    }
    return HasExtension(name, {L".c", L".cpp", L".cxx", L".rc", L".def", L".asm"});
}

ProjectFile CreatedProject(std::string name, const TargetKind& kind, std::string pch, std::vector<std::string> sources) {
    ProjectFile project;
    project.targetName = std::move(name);
    project.targetType = kind.targetType;
    project.runtimeLib = kind.runtimeLib;
    project.useUnicode = "1";
    project.pch = std::move(pch);
    project.sources = std::move(sources);
    project.preBuild = {"@echo run PREBUILD"};
    project.postBuild = {"@echo run POSTBUILD"};
    return project;
}

}  // namespace kelpo
