// The build front end's own files in the program folder: "tarvik.ini", the engine "build.exe"
// and one sub-folder per installed tool holding its "config.ini".
#pragma once

#include <string>
#include <vector>

#include "build/build_configuration.h"

namespace kelpo {

std::wstring TarvikIniPath(const std::wstring& programFolder);

// A key of section "Tarvik" (at most 259 characters); "DefaultDir" falls back to the program
// folder, every other key to empty text.
std::wstring ReadTarvikSetting(const std::wstring& programFolder, const wchar_t* key);
// The lines of a section in file order, however long the section.
std::vector<std::wstring> ReadTarvikSection(const std::wstring& programFolder, const wchar_t* section);

// The tools whose "config.ini" exists, in table order; looked up afresh on every call.
std::vector<const ToolDef*> InstalledTools(const std::wstring& programFolder);
// "build.exe" lies in the program folder.
bool BuildEnginePresent(const std::wstring& programFolder);

// Start-up: TarvikDir names the program folder (with its backslash) in the editor's environment,
// so that "config.ini" values can refer to it, when the engine is present.
void SetTarvikDirVariable(const std::wstring& programFolder);

}  // namespace kelpo
