// Generic reads and writes of one UTF-16 INI file: reads through the Windows profile functions,
// writes as edits of the whole text that replace the file in one step.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/settings.h"

namespace kelpo {

inline constexpr wchar_t kMainSection[] = L"Kelpo";

class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }

    // The profile functions keep a file in UTF-16 only when it already starts with the UTF-16
    // mark; a file that does not exist yet is created with it before the first write.
    bool EnsureUnicodeFile() const;

    // Value of a key, or empty text when it is absent; true when a non-empty value was read.
    bool ReadText(const wchar_t* key, std::wstring& value, std::size_t maxChars = 260,
                  const wchar_t* section = kMainSection) const;
    // The same without a size limit.
    std::wstring ReadString(const wchar_t* key, const wchar_t* section = kMainSection) const;
    // A null value deletes the key; a null key and value delete the section.
    bool WriteText(const wchar_t* key, const wchar_t* value, const wchar_t* section = kMainSection) const;
    int ReadInt(const wchar_t* key, int defaultValue, const wchar_t* section = kMainSection) const;
    bool WriteInt(const wchar_t* key, int value, const wchar_t* section = kMainSection) const;
    bool DeleteKey(const wchar_t* key, const wchar_t* section = kMainSection) const;
    // Several keys of the section set in one rewrite of the file.
    bool WriteTexts(const std::vector<std::pair<const wchar_t*, std::wstring>>& values,
                    const wchar_t* section = kMainSection) const;

    // All lines of a section in file order.
    std::vector<std::wstring> ReadList(const wchar_t* section) const;
    // Replaces a section by these lines; a null list only deletes it.
    bool WriteList(const wchar_t* section, const std::vector<std::wstring>* lines) const;

    std::optional<WindowPos> ReadWindowPos(const wchar_t* key) const;
    bool WriteWindowPos(const wchar_t* key, const WindowPos& pos) const;

private:
    std::wstring path_;
};

}  // namespace kelpo
