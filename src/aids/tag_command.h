// The command line that starts ctags on one file of a catalogue language.
#pragma once

#include <string>
#include <string_view>

namespace kelpo {

// The name passed with "--language-force=" for the language, or empty when ctags chooses itself.
std::wstring_view CtagsLanguageName(int language);

// ctags [--language-force=NAME] -n --fields=+n -f - "PATH"
std::wstring TagCommandLine(int language, const std::wstring& path);

}  // namespace kelpo
