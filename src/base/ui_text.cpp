// Interface texts by number.
#include "base/ui_text.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <map>

#include "base/ini_file.h"

namespace kelpo {
namespace {

struct TextTable {
    std::wstring translationFile;  // empty: built-in texts only
};

TextTable& Table() {
    static TextTable table;
    return table;
}

// Built-in wordings; numbers that have no entry yet give an empty text.
const std::map<int, std::wstring>& BuiltinTexts() {
    static const std::map<int, std::wstring> texts = {
        {kTextOpenBuildFile, L"Open %s"},
        {kTextSearchProgress, L"Searching %s"},
        {kTextNotFoundForward, L"Not found, searching forward."},
        {kTextNotFoundBackward, L"Not found, searching backward."},
        {kTextSearchCancelled, L"The search was cancelled."},
        {kTextSearchSummary, L"%d found in %d of %d files searched."},
        {kTextLocationExplorerFolder, L"The explorer's current folder"},
        {kTextLocationDocumentFolder, L"The current document's folder"},
        {kTextLocationProjectFolder, L"The current project's folder"},
        {kTextBatchBuildTool, L"Tool"},
        {kTextBatchBuildType, L"Type"},
        {kTextBatchBuildArchitecture, L"Architecture"},
        {kTextOpenTemplateFolder, L"&Open Template Folder"},
        {kTextFavoriteSeparator, L"----------------"},
        {kTextFavoritesRoot, L"Favourites"},
        {kTextNewCategory, L"New Category"},
        {kTextSaveQuestion, L"Save changes to %s?"},
    };
    return texts;
}

bool IsLanguageCode(const std::wstring& code) {
    if (code.size() != 3) {
        return false;
    }
    for (wchar_t c : code) {
        if (!std::iswalpha(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void LoadInterfaceLanguage(const AppPaths& paths, const std::wstring& code) {
    Table().translationFile.clear();
    if (!IsLanguageCode(code) || ::lstrcmpiW(code.c_str(), L"ENU") == 0) {
        return;
    }
    const std::wstring file = paths.folder + L"lang\\" + code + L".ini";
    if (::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        Table().translationFile = file;
    }
}

std::wstring UiText(int number) {
    const auto& texts = BuiltinTexts();
    const auto builtin = texts.find(number);
    const std::wstring fallback = builtin != texts.end() ? builtin->second : std::wstring();
    if (!Table().translationFile.empty()) {
        std::wstring text;
        // Texts are used as formats: a translation must ask for the same arguments as the original.
        if (IniFile(Table().translationFile).ReadText(std::to_wstring(number).c_str(), text, 1024, L"Strings") &&
            std::count(text.begin(), text.end(), L'%') == std::count(fallback.begin(), fallback.end(), L'%')) {
            return text;
        }
    }
    return fallback;
}

}  // namespace kelpo
