// Values of a tool's "config.ini": the "%CD%" and "%BuildArch%" tokens and environment references.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

// One trailing ";" removed, then "%CD%" replaced by the tool folder and "%BuildArch%" by the
// architecture name, both without regard to case, scanning on behind each inserted text.
std::wstring SubstituteToolTokens(std::wstring_view value, std::wstring_view toolFolder, std::wstring_view archName);

// The value of a key of section "CONFIG" in "<program folder><tool id>\config.ini", substituted and
// with the editor's environment references expanded; nothing when the key is absent or empty.
// With the leading separator the value starts with ";".
std::optional<std::wstring> ReadToolValue(const std::wstring& programFolder, std::wstring_view toolId,
                                          std::wstring_view archName, const wchar_t* key, bool leadingSeparator);

}  // namespace kelpo
