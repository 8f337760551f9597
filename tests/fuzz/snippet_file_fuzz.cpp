// Fuzz entry for "snippets.txt": any image gives entries that lie inside it in order, and every
// body expands (variables, line ends, indentation) without reading outside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "aids/snippet_expand.h"
#include "aids/snippet_file.h"
#include "aids/variables_lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact copy, so reading one byte past the image is caught.
    const std::string image(reinterpret_cast<const char*>(data), size);
    const std::vector<kelpo::SnippetEntry> entries = kelpo::ParseSnippets(std::string_view(image.data(), image.size()));

    kelpo::VariableContext context;
    context.hasDocument = size % 2 == 0;
    context.path = "C:\\work\\src\\main.cpp";
    context.line = 12;
    context.author = "A. Author";
    context.time = kelpo::LocalTime{2024, 2, 29, 23, 59, 58};
    std::size_t bodies = 0;
    int previousLine = -1;
    for (const kelpo::SnippetEntry& entry : entries) {
        if (entry.line <= previousLine) std::abort();
        previousLine = entry.line;
        bodies += entry.body.size();
        const auto lineEnd = static_cast<kelpo::SnippetLineEnd>(entry.line % 3);
        const std::string expanded = kelpo::ExpandSnippet(entry.body, "\t  ", lineEnd, context);
        const std::size_t caret = kelpo::CaretMarkOffset(expanded);
        if (caret != std::string::npos && (caret >= expanded.size() || expanded[caret] != '|')) std::abort();
    }
    if (bodies > size) std::abort();
    return 0;
}
