// Command 169: a Visual Studio project, workspace or solution chosen in an open dialog is turned
// into "build.tvk" files as "tarvik convert" does, with its report in the output pane.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kelpo {

inline constexpr int kCmdConvertVsProject = 169;

// Command 169; false for any other command.
bool HandleConvertCommand(int command);

// Tests stand in for the user at the open dialog; an empty hook shows the dialog again.
using ConvertDialogHook = std::function<std::optional<std::wstring>()>;
void SetConvertDialogHook(ConvertDialogHook hook);

}  // namespace kelpo
