// The text project format: its name line and its SOURCE= lines; everything else is fixed.
#include "build/vs_project_readers.h"
#include "build/vs_text_lines.h"

namespace kelpo {

bool ReadDsp(std::string_view bytes, VsProject& project) {
    // The format records neither the Unicode setting nor the output kind in a form worth reading.
    project.targetType = 1;
    project.characterSet = 2;
    constexpr std::string_view namePrefix = "# Microsoft Developer Studio Project File - Name=\"";
    constexpr std::string_view sourcePrefix = "SOURCE=";
    bool sawSource = false;
    ForEachTextLine(bytes, [&](std::string_view line) {
        if (line.starts_with(namePrefix)) {
            const std::string_view rest = line.substr(namePrefix.size());
            const std::size_t quote = rest.find('"');
            if (quote != std::string_view::npos) {
                project.name = rest.substr(0, quote);
            }
        } else if (line.starts_with(sourcePrefix)) {
            sawSource = true;
            AddVsSource(project, line.substr(sourcePrefix.size()));
        }
    });
    return sawSource;
}

}  // namespace kelpo
