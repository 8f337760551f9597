// Filling the Build menu at start-up and running its console and file commands.
#include "build/build_menu.h"

#include "base/app_state.h"
#include "base/handles.h"
#include "base/ui_text.h"
#include "build/build_command_ids.h"
#include "build/build_configuration.h"
#include "build/build_console.h"
#include "build/build_xml_locate.h"
#include "build/configuration_box.h"
#include "build/tarvik_settings.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_location.h"

namespace kelpo {
namespace {

// The top-level pop-up holding the build command, and its position in the bar.
HMENU FindBuildPopup(HMENU menuBar, int& position) {
    for (int i = 0; i < ::GetMenuItemCount(menuBar); ++i) {
        HMENU sub = ::GetSubMenu(menuBar, i);
        if (sub != nullptr && ::GetMenuState(sub, kCmdBuild, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            position = i;
            return sub;
        }
    }
    return nullptr;
}

int PositionOf(HMENU menu, int command) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (static_cast<int>(::GetMenuItemID(menu, i)) == command) {
            return i;
        }
    }
    return -1;
}

std::wstring FileItemLabel(const wchar_t* name) {
    std::wstring label = UiText(kTextOpenBuildFile);
    const std::size_t at = label.find(L"%s");
    return at == std::wstring::npos ? label + L" " + name : label.replace(at, 2, name);
}

bool InsertToolSubmenus(HMENU popup, int position, const std::wstring& programFolder) {
    const std::vector<const ToolDef*> tools = InstalledTools(programFolder);
    if (tools.empty()) {
        return true;
    }
    bool ok = ::InsertMenuW(popup, static_cast<UINT>(position++), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (const ToolDef* tool : tools) {
        unique_hmenu submenu(::CreatePopupMenu());
        if (!submenu) {
            return false;
        }
        for (unsigned code : ConfigurationsOfTool(*tool)) {
            ok = ::AppendMenuW(submenu.get(), MF_STRING, code, MenuLabel(code).c_str()) && ok;
        }
        if (::InsertMenuW(popup, static_cast<UINT>(position++), MF_BYPOSITION | MF_POPUP,
                          reinterpret_cast<UINT_PTR>(submenu.get()), tool->displayName)) {
            submenu.release();
        } else {
            ok = false;
        }
    }
    return ok;
}

void OpenProgramFile(const std::wstring& path) { OpenDocument(path); }

std::wstring ActiveDocumentFolder() {
    const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active == nullptr || !active->HasPath()) {
        return {};
    }
    return active->path.substr(0, active->path.rfind(L'\\') + 1);
}

std::wstring CurrentDirectory() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH + 1, folder);
    return length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

void ShowOutputRoot() {
    const std::wstring folder = ReadTarvikSetting(App().paths.folder, L"OutputRoot");
    if (!folder.empty()) {
        ShowFileLocation(FileLocationMode::ExplorerPane, folder);
    }
}

void OpenConsole(unsigned code) {
    // In the windowed editor the console's failures are not shown: nobody reads its output.
    OpenBuildConsole(nullptr, ConsoleFolder(), code, false, nullptr, nullptr);
}

}  // namespace

void SetUpBuildMenu(HMENU menuBar, const std::wstring& programFolder) {
    int barPosition = -1;
    HMENU popup = FindBuildPopup(menuBar, barPosition);
    if (popup == nullptr) {
        return;
    }
    if (!BuildEnginePresent(programFolder)) {
        ::DeleteMenu(menuBar, static_cast<UINT>(barPosition), MF_BYPOSITION);
        return;
    }
    const int console = PositionOf(popup, kCmdBuildConsole);
    InsertToolSubmenus(popup, console + 1, programFolder);
    const std::pair<int, const wchar_t*> files[] = {{kCmdOpenTarvikIni, L"tarvik.ini"},
                                                    {kCmdOpenBuildXml, L"build.xml"},
                                                    {kCmdOpenVcMk, L"vc.mk"},
                                                    {kCmdShowOutputRoot, L"OutputRoot"}};
    for (const auto& [command, name] : files) {
        ::ModifyMenuW(popup, static_cast<UINT>(command), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(command),
                      FileItemLabel(name).c_str());
    }
}

std::wstring ConsoleFolder() {
    const std::wstring folder = ActiveDocumentFolder();
    return !folder.empty() ? folder : ReadTarvikSetting(App().paths.folder, L"DefaultDir");
}

bool HandleBuildMenuCommand(int command) {
    const std::wstring& programFolder = App().paths.folder;
    if (command >= kCmdConfigurationFirst && command <= kCmdConfigurationLast) {
        if (TypeOf(static_cast<unsigned>(command)) != kTypeAll) {
            OpenConsole(static_cast<unsigned>(command));
        }
        return true;
    }
    switch (command) {
    case kCmdBuildConsole:
        if (const int code = CurrentConfiguration(); code >= 0) {
            OpenConsole(static_cast<unsigned>(code));
        } else {
            OpenPlainConsole(ConsoleFolder());
        }
        return true;
    case kCmdOpenTarvikIni:
        OpenProgramFile(TarvikIniPath(programFolder));
        return true;
    case kCmdOpenBuildXml: {
        const std::wstring start = ActiveDocumentFolder();
        OpenProgramFile(FindBuildXml(!start.empty() ? start : CurrentDirectory(), programFolder));
        return true;
    }
    case kCmdOpenVcMk:
        OpenProgramFile(programFolder + L"vc.mk");
        return true;
    case kCmdShowOutputRoot:
        ShowOutputRoot();
        return true;
    default:
        return false;
    }
}

}  // namespace kelpo
