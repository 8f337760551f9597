// Access to one settings file: reads through the profile functions, writes as whole-text edits
// that replace the file in one step, so that a failed write never leaves it cut.
#include "base/ini_file.h"

#include <windows.h>

#include "base/handles.h"
#include "base/ini_section_text.h"
#include "base/ini_text_file.h"
#include "base/settings_values.h"

namespace kelpo {
namespace {

// Reads with a buffer that doubles while the profile function reports it full.
template <typename Read>
std::wstring ReadGrowing(Read read, DWORD fullMargin) {
    std::wstring buffer(8192, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = read(buffer.data(), size);
        if (length + fullMargin < size || size >= (1u << 26)) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

// Reads the file's text, edits it and writes it back whole. A file that exists but cannot be
// read is left alone rather than replaced by what little is known of it.
template <typename Edit>
bool EditIniText(const std::wstring& path, Edit edit) {
    const std::optional<std::wstring> text = ReadIniText(path);
    return text && WriteIniText(path, edit(*text));
}

}  // namespace

bool IniFile::EnsureUnicodeFile() const {
    unique_hfile file(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return ::GetLastError() == ERROR_FILE_EXISTS;
    }
    static const BYTE kUtf16Mark[] = {0xFF, 0xFE};
    DWORD written = 0;
    return ::WriteFile(file.get(), kUtf16Mark, sizeof kUtf16Mark, &written, nullptr) &&
           written == sizeof kUtf16Mark;
}

bool IniFile::ReadText(const wchar_t* key, std::wstring& value, std::size_t maxChars,
                       const wchar_t* section) const {
    std::wstring buffer(maxChars + 1, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section, key, L"", buffer.data(),
                                                    static_cast<DWORD>(buffer.size()), path_.c_str());
    buffer.resize(length);
    value = std::move(buffer);
    return !value.empty();
}

std::wstring IniFile::ReadString(const wchar_t* key, const wchar_t* section) const {
    return ReadGrowing(
        [&](wchar_t* buffer, DWORD size) {
            return ::GetPrivateProfileStringW(section, key, L"", buffer, size, path_.c_str());
        },
        1);
}

bool IniFile::WriteText(const wchar_t* key, const wchar_t* value, const wchar_t* section) const {
    if (key == nullptr) {
        return value == nullptr && WriteList(section, nullptr);
    }
    const std::optional<std::wstring> newValue = value != nullptr ? std::optional<std::wstring>(value) : std::nullopt;
    return EditIniText(path_, [&](const std::wstring& text) {
        return SetKeyValue(text, section, key, newValue ? &*newValue : nullptr);
    });
}

bool IniFile::WriteTexts(const std::vector<std::pair<const wchar_t*, std::wstring>>& values,
                         const wchar_t* section) const {
    return EditIniText(path_, [&](const std::wstring& text) {
        std::wstring edited = text;
        for (const auto& [key, value] : values) {
            edited = SetKeyValue(edited, section, key, &value);
        }
        return edited;
    });
}

int IniFile::ReadInt(const wchar_t* key, int defaultValue, const wchar_t* section) const {
    return static_cast<int>(::GetPrivateProfileIntW(section, key, defaultValue, path_.c_str()));
}

bool IniFile::WriteInt(const wchar_t* key, int value, const wchar_t* section) const {
    return WriteText(key, std::to_wstring(value).c_str(), section);
}

bool IniFile::DeleteKey(const wchar_t* key, const wchar_t* section) const {
    return WriteText(key, nullptr, section);
}

std::vector<std::wstring> IniFile::ReadList(const wchar_t* section) const {
    const std::wstring block = ReadGrowing(
        [&](wchar_t* buffer, DWORD size) {
            return ::GetPrivateProfileSectionW(section, buffer, size, path_.c_str());
        },
        2);
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < block.size()) {
        const std::size_t end = block.find(L'\0', start);
        const std::size_t stop = end == std::wstring::npos ? block.size() : end;
        if (stop > start) {
            lines.emplace_back(block, start, stop - start);
        }
        start = stop + 1;
    }
    return lines;
}

bool IniFile::WriteList(const wchar_t* section, const std::vector<std::wstring>* lines) const {
    return EditIniText(path_, [&](const std::wstring& text) {
        return lines != nullptr ? ReplaceSection(text, section, *lines) : RemoveSection(text, section);
    });
}

std::optional<WindowPos> IniFile::ReadWindowPos(const wchar_t* key) const {
    std::wstring text;
    if (!ReadText(key, text, 128)) {
        return std::nullopt;
    }
    return ParseWindowPos(text);
}

bool IniFile::WriteWindowPos(const wchar_t* key, const WindowPos& pos) const {
    return WriteText(key, FormatWindowPos(pos).c_str());
}

}  // namespace kelpo
