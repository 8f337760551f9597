// The created-file layout of "build.tvk", including its blank lines and the blank that ends
// every item line of a continued list.
#include "build/project_file_writer.h"

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace kelpo {
namespace {

constexpr std::string_view newLine = "\r\n";

void AppendLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append(newLine);
}

std::string JoinItems(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) {
        joined += (joined.empty() ? "" : ";") + item;
    }
    return joined;
}

// "KEY=\", then each item on an indented line ending in " \" but the last, which ends in a blank
// and is left open: what follows starts with the line end.
void AppendContinuedList(std::string& out, std::string_view key, const std::vector<std::string>& items) {
    out.append(key).append("=");
    for (const std::string& item : items) {
        out.append("\\").append(newLine).append("    ").append(item).append(" ");
    }
}

void AppendBlock(std::string& out, std::string_view header, const std::vector<std::string>& commands) {
    out.append(header).append(newLine);
    for (const std::string& command : commands) {
        out.append("    ").append(command).append(newLine);
    }
    out.append(newLine);
}

}  // namespace

std::string WriteProjectFile(const ProjectFile& project) {
    std::string out;
    AppendLine(out, "TARGETNAME", project.targetName);
    AppendLine(out, "TARGETTYPE", project.targetType);
    AppendLine(out, "RUNTIMELIB", project.runtimeLib);
    AppendLine(out, "USEUNICODE", project.useUnicode);
    if (!project.pch.empty()) {
        AppendLine(out, "PCH", project.pch);
    }
    out.append(newLine);
    AppendLine(out, "MACROS", JoinItems(project.macros));
    AppendLine(out, "INCLUDES", JoinItems(project.includes));
    AppendLine(out, "LIBS", JoinItems(project.libs));
    AppendLine(out, "LIBPATHS", JoinItems(project.libPaths));
    out.append(newLine);
    AppendLine(out, "CFLAGS", project.cFlags);
    AppendLine(out, "LFLAGS", project.lFlags);
    AppendLine(out, "RFLAGS", project.rFlags);
    AppendLine(out, "AFLAGS", project.aFlags);
    AppendLine(out, "AS", project.as);
    bool lineOpen = false;
    for (const auto& [key, items] : {std::pair{"SOURCES", &project.sources}, std::pair{"DIRS", &project.dirs}}) {
        if (!items->empty()) {
            out.append(lineOpen ? "\r\n\r\n" : "\r\n");
            AppendContinuedList(out, key, *items);
            lineOpen = true;
        }
    }
    // Two line ends whether or not a list was left open: without sources a created file has two
    // empty lines before PREBUILD:.
    out.append(newLine).append(newLine);
    AppendBlock(out, "PREBUILD:", project.preBuild);
    AppendBlock(out, "POSTBUILD:", project.postBuild);
    AppendLine(out, "ARGUMENTS", project.arguments);
    return out;
}

}  // namespace kelpo
