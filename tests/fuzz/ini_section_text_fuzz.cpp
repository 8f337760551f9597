// Fuzz entry for the INI section texts: on any file text, a replaced section reads back as the
// lines given, a set key reads back with its value, and the other sections stay as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini_section_text.h"
#include "fuzz/fuzz_input.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A name that a header line "[name]" gives back as it is.
bool UsableName(std::wstring_view name) {
    return !name.empty() && Trimmed(name) == name && name.find_first_of(std::wstring_view(L"]\r\n\0", 4)) == name.npos;
}

// The value of the first line of the section whose key is `key`.
std::optional<std::wstring> ValueOf(const std::vector<std::wstring>& lines, std::wstring_view key) {
    for (const std::wstring& line : lines) {
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring::npos && SameName(Trimmed(std::wstring_view(line).substr(0, equals)), key)) {
            return line.substr(equals + 1);
        }
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelpo::fuzz::Widen;
    const std::vector<std::string_view> pieces = kelpo::fuzz::Pieces(data, size, 6);
    const std::wstring text = Widen(pieces[0]);
    const std::wstring section = Widen(pieces[1]);
    const std::wstring other = Widen(pieces[2]);
    const std::wstring key = Widen(pieces[3]);
    const std::wstring value = Widen(pieces[4]);
    std::vector<std::wstring> lines;
    for (const std::string_view line : kelpo::fuzz::Pieces(reinterpret_cast<const std::uint8_t*>(pieces[5].data()),
                                                            pieces[5].size(), 1 + pieces[5].size() / 8, '\x02')) {
        lines.push_back(Widen(line));
    }

    // The reads never fail, whatever the names.
    kelpo::ReadSectionLines(text, section);
    if (!UsableName(section)) return 0;
    const bool otherUsable = UsableName(other) && !SameName(other, section);
    const std::vector<std::wstring> otherLines = kelpo::ReadSectionLines(text, other);

    std::vector<std::wstring> stored;
    for (const std::wstring& line : lines) {
        if (kelpo::IsStorableLine(line)) stored.push_back(line);
    }
    const std::wstring replaced = kelpo::ReplaceSection(text, section, lines);
    if (kelpo::ReadSectionLines(replaced, section) != stored) std::abort();
    if (otherUsable && kelpo::ReadSectionLines(replaced, other) != otherLines) std::abort();

    if (!kelpo::ReadSectionLines(kelpo::RemoveSection(text, section), section).empty()) std::abort();

    const bool keyUsable = !key.empty() && Trimmed(key) == key && key.front() != L'[' &&
                           key.find_first_of(std::wstring_view(L"=\r\n\0", 4)) == key.npos &&
                           value.find_first_of(std::wstring_view(L"\r\n\0", 3)) == value.npos;
    if (!keyUsable) return 0;
    const std::wstring set = kelpo::SetKeyValue(text, section, key, &value);
    if (ValueOf(kelpo::ReadSectionLines(set, section), key) != value) std::abort();
    if (otherUsable && kelpo::ReadSectionLines(set, other) != otherLines) std::abort();
    const std::wstring removed = kelpo::SetKeyValue(text, section, key, nullptr);
    if (ValueOf(kelpo::ReadSectionLines(removed, section), key).has_value()) std::abort();
    return 0;
}
