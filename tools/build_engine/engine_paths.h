// Windows path texts handled as plain strings ("\" separators, 8-bit), so the engine's logic needs
// no file system to decide where things go.
#pragma once

#include <string>
#include <string_view>

namespace kelpo::engine {

// "C:\x", "\\server\share" and "\x" count as absolute; "/" is taken as "\".
bool IsAbsolutePath(std::string_view path);
// The folder and the name joined with one "\"; an absolute name stands alone.
std::string JoinPath(std::string_view folder, std::string_view name);
// Everything before the last "\" ("" when there is none); "C:\x" gives "C:".
std::string ParentFolder(std::string_view path);
// The part after the last "\".
std::string_view FileNamePart(std::string_view path);
// The extension after the last "." of the name, without the dot; "" when none.
std::string_view Extension(std::string_view path);
// "/" made "\", "." parts and doubled separators dropped, ".." resolved where it can be, no
// trailing "\".
std::string NormalPath(std::string_view path);
// A key that compares two normal paths without regard to case (ASCII).
std::string PathKey(std::string_view path);
// The path of `path` relative to `folder` when it lies below it, otherwise `path` itself.
std::string RelativeToFolder(std::string_view path, std::string_view folder);

std::string AsciiLower(std::string_view text);
bool SameText(std::string_view a, std::string_view b);  // without regard to ASCII case

}  // namespace kelpo::engine
