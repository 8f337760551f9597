// Reading and writing the batch-build ticks.
#include "build/batch_build_ticks.h"

#include <cwctype>

#include "build/build_configuration.h"

namespace kelpo {
namespace {

std::wstring Trimmed(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) {
        text.remove_suffix(1);
    }
    return std::wstring(text);
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

// As the profile functions read a number: an optional sign and the digits that follow.
long ValueOf(const std::wstring& text) {
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    at += !text.empty() && (text[0] == L'-' || text[0] == L'+');
    long value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9' && value < 100000; ++at) {
        value = value * 10 + (text[at] - L'0');
    }
    return negative ? -value : value;
}

}  // namespace

std::wstring BatchBuildKey(unsigned code) { return ConfigurationName(code); }

bool IsTicked(const std::vector<std::wstring>& sectionLines, unsigned code) {
    const std::wstring key = BatchBuildKey(code);
    for (const std::wstring& line : sectionLines) {
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring::npos && EqualNoCase(Trimmed(std::wstring_view(line).substr(0, equals)), key)) {
            return ValueOf(Trimmed(std::wstring_view(line).substr(equals + 1))) > 0;
        }
    }
    return false;
}

std::vector<std::wstring> BatchBuildLines(const std::vector<unsigned>& tickedCodes) {
    std::vector<std::wstring> lines;
    for (unsigned code : tickedCodes) {
        lines.push_back(BatchBuildKey(code) + L"=1");
    }
    return lines;
}

}  // namespace kelpo
