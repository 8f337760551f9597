// Token substitution in "config.ini" values.
#include "build/tool_values.h"

namespace kelpo {
namespace {

wchar_t Fold(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool StartsWithFolded(std::wstring_view text, std::size_t at, std::wstring_view token) {
    if (text.size() - at < token.size()) {
        return false;
    }
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (Fold(text[at + i]) != Fold(token[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::wstring SubstituteToolTokens(std::wstring_view value, std::wstring_view toolFolder, std::wstring_view archName) {
    if (!value.empty() && value.back() == L';') {
        value.remove_suffix(1);
    }
    static constexpr std::wstring_view folderToken = L"%CD%";
    static constexpr std::wstring_view archToken = L"%BuildArch%";
    std::wstring result;
    std::size_t at = 0;
    while (at < value.size()) {
        if (StartsWithFolded(value, at, folderToken)) {
            result += toolFolder;
            at += folderToken.size();
        } else if (StartsWithFolded(value, at, archToken)) {
            result += archName;
            at += archToken.size();
        } else {
            result += value[at++];
        }
    }
    return result;
}

}  // namespace kelpo
