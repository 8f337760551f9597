// Command 166: the batch-build dialog, a checklist of every configuration of the installed tools
// that builds, rebuilds or cleans the current project for each ticked one and remembers the ticks
// in section "Batchbuild" of "kelpo.ini".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kelpo {

inline constexpr int kBatchBuildListId = 50;
inline constexpr int kBatchBuildId = 4;
inline constexpr int kBatchRebuildId = 5;
inline constexpr int kBatchCleanId = 6;
inline constexpr wchar_t kBatchBuildTitle[] = L"Batch Build";

void ShowBatchBuildDialog(HWND owner);
// Builds with the engine flag for each code in turn, each to its end, all output in the pane.
void RunBatchBuild(const std::wstring& engineFlag, const std::vector<unsigned>& codes);
// Command 166; false for any other command.
bool HandleBatchBuildCommand(int command);

}  // namespace kelpo
