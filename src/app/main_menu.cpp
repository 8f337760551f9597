// The main menu. It carries the commands that exist so far; the full menu with every command
// identifier replaces it when the command set is complete.
#include "app/main_menu.h"

#include "app/commands.h"
#include "app/handles.h"

namespace kelpo {

HMENU BuildMainMenu() {
    unique_hmenu bar(::CreateMenu());
    unique_hmenu file(::CreatePopupMenu());
    unique_hmenu help(::CreatePopupMenu());
    if (!bar || !file || !help) {
        return nullptr;
    }
    ::AppendMenuW(file.get(), MF_STRING, kCmdExit, L"E&xit");
    ::AppendMenuW(help.get(), MF_STRING, kCmdUsage, L"Command-line &usage");
    ::AppendMenuW(help.get(), MF_STRING, kCmdAbout, L"&About Kelpo");
    // Ownership of the pop-ups passes to the bar only when they are appended.
    if (!::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file.get()), L"&File")) {
        return nullptr;
    }
    file.release();
    if (!::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(help.get()), L"&Help")) {
        return nullptr;
    }
    help.release();
    return bar.release();
}

}  // namespace kelpo
