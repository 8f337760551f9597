// The source filter, the checks and the converted layout of "build.tvk".
#include "build/vs_project.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kelpo {
namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

const char* TargetTypeName(int targetType) {
    return targetType == 2 ? "DLL" : targetType == 3 ? "LIB" : "EXE";
}

const char* RuntimeLibName(const VsProject& project) {
    if (project.useOfMfc == 1) {
        return "MFCSTATIC";
    }
    if (project.useOfMfc == 2) {
        return "MFCDLL";
    }
    return project.runtimeLibrary >= 2 ? "MSVCRXX" : "LIBCMT";
}

// A value on one line: XML texts and attributes may hold line breaks, which would end the
// value's line in "build.tvk" and leave the rest to be read as a line of its own.
std::string OneLine(std::string_view value) {
    std::string line(value);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

}  // namespace

void AddVsSource(VsProject& project, std::string_view path) {
    if (path.starts_with(".\\")) {
        path.remove_prefix(2);
    }
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) {
        return;
    }
    constexpr std::array<std::string_view, 5> kept = {".c", ".cpp", ".cxx", ".rc", ".def"};
    const std::string_view extension = path.substr(dot);
    if (std::any_of(kept.begin(), kept.end(), [&](std::string_view k) { return EqualsNoCase(k, extension); })) {
        project.sources.emplace_back(path);
    }
}

std::optional<std::string> ValidateVsProject(const VsProject& project) {
    if (project.targetType < 1 || project.targetType > 3) {
        return "This is not exe/dll/lib project, cannot convert to build.tvk!";
    }
    if (project.useOfMfc < 0 || project.useOfMfc > 2) {
        return "Invalid UseOfMFC, cannot convert to build.tvk!";
    }
    if (project.runtimeLibrary < 0 || project.runtimeLibrary > 3) {
        return "Invalid RuntimeLibrary, cannot convert to build.tvk!";
    }
    if (project.characterSet < 0 || project.characterSet > 2) {
        return "Invalid CharacterSet, cannot convert to build.tvk!";
    }
    return std::nullopt;
}

std::string FilterVsMacros(std::string_view macros) {
    std::string kept;
    while (!macros.empty()) {
        const std::size_t end = std::min(macros.find(';'), macros.size());
        const std::string_view entry = macros.substr(0, end);
        macros.remove_prefix(std::min(end + 1, macros.size()));
        if (entry.empty() || entry == "NDEBUG" || entry == "WIN32" || entry == "_CONSOLE" || entry == "_DEBUG" ||
            entry.find('%') != std::string_view::npos) {
            continue;
        }
        kept.append(kept.empty() ? "" : ";").append(entry);
    }
    return kept;
}

std::string ConvertedProjectText(const VsProject& project) {
    std::string out;
    // A value must not end in "\", which would continue it on the next line ("..\inc\" is common):
    // a list then ends in ";", whose empty item the reader drops; a name loses the backslashes.
    const auto line = [&out](std::string_view key, std::string_view value, bool list = false) {
        std::string text = OneLine(value);
        const std::size_t last = text.find_last_not_of(" \t");
        if (last != std::string::npos && text[last] == '\\') {
            if (list) {
                text.append(";");
            } else {
                text.erase(text.find_last_not_of(" \t\\") + 1);
            }
        }
        out.append(key).append("=").append(text).append("\r\n");
    };
    line("TARGETNAME", project.name);
    line("TARGETTYPE", TargetTypeName(project.targetType));
    line("RUNTIMELIB", RuntimeLibName(project));
    line("USEUNICODE", project.characterSet == 2 ? "0" : "1");
    out.append("\r\n");
    line("MACROS", FilterVsMacros(project.macros), true);
    line("INCLUDES", project.includes, true);
    line("LIBS", project.libs, true);
    line("LIBPATHS", project.libPaths, true);
    line("CFLAGS", "");
    line("LFLAGS", "");
    if (!project.sources.empty()) {
        out.append("\r\nSOURCES= \\\r\n");
        for (std::size_t i = 0; i < project.sources.size(); ++i) {
            out.append("\t").append(OneLine(project.sources[i]));
            out.append(i + 1 < project.sources.size() ? " \\\r\n" : "\r\n");
        }
    }
    out.append("\r\nPREBUILD:\r\nPOSTBUILD:\r\n");
    return out;
}

}  // namespace kelpo
