// Source and header pairs by extension.
#include "doc/companion_file.h"

#include <algorithm>
#include <initializer_list>

#include "doc/path_parts.h"

namespace kelpo {
namespace {

bool SameAsciiIgnoringCase(std::wstring_view a, std::wstring_view b) {
    const auto lower = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

bool IsOneOf(std::wstring_view extension, std::initializer_list<std::wstring_view> list) {
    return std::any_of(list.begin(), list.end(),
                       [&](std::wstring_view item) { return SameAsciiIgnoringCase(extension, item); });
}

}  // namespace

std::vector<std::wstring> CompanionFileCandidates(std::wstring_view path) {
    const std::wstring_view extension = ExtensionOfPath(path);
    if (extension.empty()) {
        return {};
    }
    const std::wstring stem(path.substr(0, path.size() - extension.size()));  // keeps the period
    if (IsOneOf(extension, {L"c", L"cpp", L"cxx"})) {
        return {stem + L"h"};
    }
    if (IsOneOf(extension, {L"h", L"hxx"})) {
        return {stem + L"c", stem + L"cpp", stem + L"cxx", stem + L"cc"};
    }
    return {};
}

}  // namespace kelpo
