// What the debug command starts: the program the engine built from a project, handed to the
// user's debugger through the `Debugger` format of "kelpo.ini".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

inline constexpr std::size_t kMaxDebuggerFormatChars = 260;
inline constexpr std::size_t kMaxProgramPathChars = 259;

// The format with its first "%s" replaced by the program path; every other "%" is copied as it
// stands, since the text is the user's and never a printf format. None when the format is past
// kMaxDebuggerFormatChars.
std::optional<std::wstring> DebuggerCommandLine(std::wstring_view format, std::wstring_view programPath);

struct DebugTarget {
    std::string name;  // TARGETNAME, ANSI
    std::string type;  // TARGETTYPE
};

// TARGETNAME and TARGETTYPE of a project file, read as the engine reads them: lines of at most
// 255 bytes without their CR and LF, the first two key lines found. None when neither key is
// there; a missing name is the project folder's name and a missing type "EXE", the engine's
// defaults.
std::optional<DebugTarget> ReadDebugTarget(std::string_view projectText, std::string_view folderName);
bool IsExecutableTarget(const DebugTarget& target);

// "<root>\obj\<configuration>\<name>.exe\<name>.exe", where the engine links the program; the root
// is OutputRoot, or the project's folder when OutputRoot is empty.
std::wstring DebugProgramPath(std::wstring root, const std::wstring& configurationName, const std::wstring& targetName);

}  // namespace kelpo
