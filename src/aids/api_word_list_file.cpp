// Loading the program's API word list from the files beside the program, once per run.
#include <windows.h>

#include "aids/api_word_list.h"
#include "base/file_read.h"

namespace kelpo {
namespace {

constexpr wchar_t kApiFiles[] = L"cpp_win32.api";

}  // namespace

ApiWordList& ProgramApiWordList() {
    static ApiWordList list;
    return list;
}

void LoadProgramApiWordList(const std::wstring& programFolder) {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    loaded = true;
    // The file list may name several files, separated by ";"; their texts are joined.
    std::string text;
    std::wstring_view names = kApiFiles;
    while (!names.empty()) {
        const std::size_t end = std::min(names.find(L';'), names.size());
        const std::wstring name(names.substr(0, end));
        names.remove_prefix(std::min(end + 1, names.size()));
        if (!name.empty()) {
            text += ReadWholeFile(programFolder + name).value_or(std::string());
            if (!text.empty() && text.back() != '\n') {
                text += '\n';  // a last line without its end must not run into the next file's first
            }
        }
    }
    ProgramApiWordList().Assign(std::move(text));
}

}  // namespace kelpo
