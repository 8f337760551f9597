// Sections of plain lines in the text of an INI file, read and replaced without keys, so that
// any text survives a round trip (the profile functions keep only "key=value" lines).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// The non-blank lines of the first section of that name (compared without regard to ASCII
// case), in file order and exactly as written; empty when there is no such section.
std::vector<std::wstring> ReadSectionLines(std::wstring_view text, std::wstring_view section);

// The text with every section of that name removed and one section holding `lines` put where
// the first one stood, or at the end. Other lines are kept; line ends become CR LF. Lines that
// could not be read back as they are (see IsStorableLine) are left out.
std::wstring ReplaceSection(std::wstring_view text, std::wstring_view section, const std::vector<std::wstring>& lines);

// The text with the first "key=value" line of the first section of that name set to the value
// (the key compared without regard to ASCII case), or added at the end of that section, or in a
// new section at the end. A null value removes the key's lines from that section instead.
// Other lines are kept; line ends become CR LF.
std::wstring SetKeyValue(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                         const std::wstring* value);

// The text without any section of that name.
std::wstring RemoveSection(std::wstring_view text, std::wstring_view section);

// False for a line that would not come back unchanged: blank, holding a line break or a zero
// character, or starting (after blanks) with "[", which would read as a section header.
bool IsStorableLine(std::wstring_view line);

}  // namespace kelpo
