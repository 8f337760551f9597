// Reading, checking and writing one project, and the members of workspaces and solutions.
#include "build/convert_file.h"

#include <vector>

#include "base/text_conversion.h"
#include "build/vs_container.h"
#include "build/vs_project.h"
#include "build/vs_project_readers.h"

namespace kelpo {
namespace {

enum class Role { Single, Member };

std::wstring ExtensionOf(const std::wstring& path) {
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot + 1);
}

// With its trailing separator; empty for a bare file name.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool IsAbsolute(const std::wstring& path) {
    return path.starts_with(L'\\') || path.starts_with(L'/') || (path.size() > 1 && path[1] == L':');
}

// The project file is read in the ANSI code page, so UTF-8 texts of an XML project are carried
// over; only texts with non-ASCII bytes need it.
void TextsToAnsi(VsProject& project, const ConvertFileAccess& files) {
    const auto convert = [&files](std::string& text) {
        if (!IsAscii(text)) {
            const std::u16string utf16 = Utf8ToUtf16(text);
            text = files.toAnsi(std::wstring(utf16.begin(), utf16.end()));
        }
    };
    for (std::string* text : {&project.name, &project.includes, &project.libPaths, &project.libs, &project.macros}) {
        convert(*text);
    }
    for (std::string& source : project.sources) {
        convert(source);
    }
    project.textsAreUtf8 = false;
}

class Converter {
public:
    Converter(const ConvertFileAccess& files, const ConvertReports& reports) : files_(files), reports_(reports) {}

    bool ConvertProject(const std::wstring& path, Role role) {
        using Reader = bool (*)(std::string_view, VsProject&);
        const std::wstring extension = ExtensionOf(path);
        const Reader reader = extension == L"vcxproj" ? ReadVcxproj
                              : extension == L"vcproj" ? ReadVcproj
                              : extension == L"dsp"    ? ReadDsp
                                                       : nullptr;
        if (reader == nullptr) {
            return false;
        }
        const std::optional<std::string> bytes = files_.read(path);
        VsProject project;
        if (!bytes || !reader(*bytes, project)) {
            // A lone project fails quietly; in a batch the user needs to know which member is missing.
            if (role == Role::Member) {
                Say("Error: cannot read " + files_.toAnsi(path) + (bytes ? " as a project file\n" : "\n"));
            }
            return false;
        }
        if (project.textsAreUtf8) {
            TextsToAnsi(project, files_);
        }
        if (const std::optional<std::string> refusal = ValidateVsProject(project)) {
            reports_.showError(*refusal);
            return false;
        }
        const std::wstring output = role == Role::Single
                                        ? FolderOf(path) + L"build.tvk"
                                        : path.substr(0, path.rfind(L'.') + 1) + L"tvk";
        if (!MayWrite(output)) {
            return false;
        }
        Say("Convert " + files_.toAnsi(path) + " to " + files_.toAnsi(output) + "\n");
        return Write(output, ConvertedProjectText(project));
    }

    bool ConvertContainer(const std::wstring& path, bool solution) {
        const std::optional<std::string> bytes = files_.read(path);
        if (!bytes) {
            return false;
        }
        const std::vector<std::string> members = solution ? SolutionMembers(*bytes) : WorkspaceMembers(*bytes);
        bool allConverted = true;
        const std::wstring folder = FolderOf(path);
        for (const std::string& member : members) {
            std::wstring memberPath = files_.fromAnsi(member);
            if (!IsAbsolute(memberPath)) {
                memberPath = folder + memberPath;
            }
            const std::wstring extension = ExtensionOf(memberPath);
            const bool isProject = extension == L"vcxproj" || extension == L"vcproj" || extension == L"dsp";
            if (!ConvertProject(memberPath, Role::Member) && isProject) {
                allConverted = false;
            }
        }
        if (members.size() < 2) {
            return !members.empty() && allConverted;
        }
        const std::wstring listPath = folder + L"build.tvk";
        return MayWrite(listPath) && Write(listPath, FolderListText(members)) && allConverted;
    }

private:
    void Say(const std::string& text) const {
        if (reports_.output) {
            reports_.output(text);
        }
    }

    bool MayWrite(const std::wstring& output) const {
        return !files_.exists(output) || (reports_.askOverwrite && reports_.askOverwrite(output));
    }

    bool Write(const std::wstring& output, const std::string& text) const {
        if (files_.write(output, text)) {
            return true;
        }
        Say("Error: cannot write " + files_.toAnsi(output) + "\n");
        return false;
    }

    const ConvertFileAccess& files_;
    const ConvertReports& reports_;
};

}  // namespace

bool ConvertFile(const std::wstring& path, const ConvertFileAccess& files, const ConvertReports& reports) {
    Converter converter(files, reports);
    const std::wstring extension = ExtensionOf(path);
    if (extension == L"dsw" || extension == L"sln") {
        return converter.ConvertContainer(path, extension == L"sln");
    }
    return converter.ConvertProject(path, Role::Single);
}

}  // namespace kelpo
