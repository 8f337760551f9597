// Fuzz entry for the project file "build.tvk": any text is read or refused with a line inside the
// text, and the line numbers of the list items stay in step with the items.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "build/project_file.h"
#include "build/project_file_reader.h"

namespace {

bool LinesFit(const std::vector<int>& lines, std::size_t items, int lastLine) {
    return lines.size() == items && std::is_sorted(lines.begin(), lines.end()) &&
           std::all_of(lines.begin(), lines.end(), [&](int line) { return line >= 1 && line <= lastLine; });
}

// Lines end at CR LF, CR or LF, as the editor shows them.
int LineCount(std::string_view text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lastLine = LineCount(text);
    kelpo::ProjectFile project;
    kelpo::ProjectFileError error;
    kelpo::ProjectFileLines lines;
    if (!kelpo::ReadProjectFile(text, project, error, lines)) {
        if (error.line < 1 || error.line > lastLine || error.message.empty()) {
            std::fprintf(stderr, "fault at line %d of %d: %s\n", error.line, lastLine, error.message.c_str());
            std::abort();
        }
        return 0;
    }
    if (!LinesFit(lines.sources, project.sources.size(), lastLine)) std::abort();
    if (!LinesFit(lines.dirs, project.dirs.size(), lastLine)) std::abort();
    return 0;
}
