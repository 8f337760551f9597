// Section lines of INI text: splitting into lines, finding headers, rebuilding a section.
#include "base/ini_section_text.h"

#include <algorithm>
#include <optional>

namespace kelpo {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view TrimBlanks(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsBlankLine(std::wstring_view line) { return TrimBlanks(line).empty(); }

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }

bool SameName(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return AsciiLower(x) == AsciiLower(y); });
}

// Lines split at CR LF, lone LF and lone CR; a final line end gives no empty last line.
std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
    return lines;
}

// The name of a section header line, or nothing for any other line.
std::optional<std::wstring_view> HeaderName(std::wstring_view line) {
    const std::wstring_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != L'[') {
        return std::nullopt;
    }
    const std::wstring_view inner = trimmed.substr(1);
    const std::size_t close = inner.find(L']');
    return TrimBlanks(close == std::wstring_view::npos ? inner : inner.substr(0, close));
}

void AppendLine(std::wstring& out, std::wstring_view line) {
    out.append(line);
    out.append(L"\r\n");
}

// The key of a "key=value" line, blanks around it removed; nothing for a line without "=".
std::optional<std::wstring_view> KeyOf(std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(line.substr(0, equals));
}

std::wstring KeyLine(std::wstring_view key, const std::wstring& value) {
    std::wstring line(key);
    return line.append(L"=").append(value).append(L"\r\n");
}

}  // namespace

std::vector<std::wstring> ReadSectionLines(std::wstring_view text, std::wstring_view section) {
    std::vector<std::wstring> lines;
    bool inside = false;
    bool seen = false;
    for (const std::wstring_view line : SplitLines(text)) {
        if (const auto name = HeaderName(line)) {
            if (inside) {
                break;
            }
            inside = !seen && SameName(*name, section);
            seen = seen || inside;
            continue;
        }
        if (inside && !IsBlankLine(line)) {
            lines.emplace_back(line);
        }
    }
    return lines;
}

std::wstring ReplaceSection(std::wstring_view text, std::wstring_view section, const std::vector<std::wstring>& lines) {
    std::wstring out;
    out.reserve(text.size() + 64);
    const auto writeSection = [&] {
        out.append(L"[").append(section).append(L"]\r\n");
        for (const std::wstring& line : lines) {
            if (IsStorableLine(line)) {
                AppendLine(out, line);
            }
        }
    };
    bool inside = false;
    bool written = false;
    for (const std::wstring_view line : SplitLines(text)) {
        if (const auto name = HeaderName(line)) {
            inside = SameName(*name, section);
            if (inside && !written) {
                writeSection();
                written = true;
            }
        }
        if (!inside) {
            AppendLine(out, line);
        }
    }
    if (!written) {
        writeSection();
    }
    return out;
}

std::wstring SetKeyValue(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                         const std::wstring* value) {
    std::wstring out;
    out.reserve(text.size() + key.size() + (value != nullptr ? value->size() : 0) + 16);
    bool inside = false;  // in the first section of that name
    bool seen = false;
    bool done = value == nullptr;
    std::size_t sectionEnd = 0;  // where a missing key goes: after the section's last non-blank line
    for (const std::wstring_view line : SplitLines(text)) {
        if (const auto name = HeaderName(line)) {
            if (inside && !done) {
                out.insert(sectionEnd, KeyLine(key, *value));
                done = true;
            }
            inside = !seen && SameName(*name, section);
            seen = seen || inside;
            AppendLine(out, line);
            sectionEnd = out.size();
            continue;
        }
        if (inside) {
            const auto lineKey = KeyOf(line);
            if (lineKey && SameName(*lineKey, key)) {
                if (value != nullptr && !done) {
                    out.append(KeyLine(key, *value));
                    done = true;
                    sectionEnd = out.size();
                }
                continue;  // a removed key, or a later duplicate of a set one
            }
        }
        AppendLine(out, line);
        if (inside && !IsBlankLine(line)) {
            sectionEnd = out.size();
        }
    }
    if (done) {
        return out;
    }
    if (inside) {
        out.insert(sectionEnd, KeyLine(key, *value));
        return out;
    }
    out.append(L"[").append(section).append(L"]\r\n");
    return out.append(KeyLine(key, *value));
}

std::wstring RemoveSection(std::wstring_view text, std::wstring_view section) {
    std::wstring out;
    out.reserve(text.size());
    bool inside = false;
    for (const std::wstring_view line : SplitLines(text)) {
        if (const auto name = HeaderName(line)) {
            inside = SameName(*name, section);
        }
        if (!inside) {
            AppendLine(out, line);
        }
    }
    return out;
}

bool IsStorableLine(std::wstring_view line) {
    if (IsBlankLine(line) || line.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos) {
        return false;
    }
    return TrimBlanks(line).front() != L'[';
}

}  // namespace kelpo
