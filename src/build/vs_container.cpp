// Member lines of workspaces and solutions and the folder list written for them.
#include "build/vs_container.h"

#include "build/vs_text_lines.h"

namespace kelpo {

std::vector<std::string> WorkspaceMembers(std::string_view bytes) {
    std::vector<std::string> members;
    ForEachTextLine(bytes, [&members](std::string_view line) {
        const std::size_t equals = line.find('=');
        if (!line.starts_with("Project:") || equals == std::string_view::npos ||
            !line.substr(equals + 1).starts_with(".\\")) {
            return;
        }
        const std::string_view rest = line.substr(equals + 3);
        const std::size_t end = rest.find(" - Package");
        if (end != std::string_view::npos) {
            members.emplace_back(rest.substr(0, end));
        }
    });
    return members;
}

std::vector<std::string> SolutionMembers(std::string_view bytes) {
    std::vector<std::string> members;
    ForEachTextLine(bytes, [&members](std::string_view line) {
        const std::size_t comma = line.find(',');
        if (!line.starts_with("Project(") || comma == std::string_view::npos) {
            return;
        }
        std::string_view rest = line.substr(comma + 1);
        if (rest.starts_with(' ')) {
            rest.remove_prefix(1);
        }
        if (!rest.starts_with('"')) {
            return;
        }
        rest.remove_prefix(1);
        const std::size_t quote = rest.find('"');
        if (quote != std::string_view::npos) {
            members.emplace_back(rest.substr(0, quote));
        }
    });
    return members;
}

std::string WithTvkExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string(path) : std::string(path.substr(0, dot + 1)) + "tvk";
}

std::string FolderListText(const std::vector<std::string>& members) {
    std::string text = "Dirs=\\\n";
    for (const std::string& member : members) {
        text.append("    ").append(WithTvkExtension(member)).append(" \\\n");
    }
    return text;
}

}  // namespace kelpo
