// Finding the "build.xml" the build engine uses for a folder.
#pragma once

#include <string>

namespace kelpo {

// "build.xml" in the start folder or the nearest parent folder that has one, else the one in the
// program folder (which has a trailing backslash). The start folder may end in a backslash.
std::wstring FindBuildXml(const std::wstring& startFolder, const std::wstring& programFolder);

}  // namespace kelpo
