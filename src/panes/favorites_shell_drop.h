// The drop target through which the shell hands files to the favourites organiser's tree: it
// takes only the link effect and passes the paths and the drop point on.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace kelpo {

struct ShellDropCalls {
    std::function<void(POINT clientPoint)> over;  // show where the files would land
    std::function<void()> leave;
    std::function<void(const std::vector<std::wstring>& paths, POINT clientPoint)> drop;
};

// Registers a drop target on the window; false when OLE refuses (it then takes no drops).
bool RegisterShellDrop(HWND window, ShellDropCalls calls);
void RevokeShellDrop(HWND window);

}  // namespace kelpo
