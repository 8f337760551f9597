// Start-up order: installer switches, snippets, language, crash guard, COM, settings,
// single instance, classes, icons, accelerators, menu, window, loop.
#include "app/startup.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "Scintilla.h"
#include "aids/completion.h"
#include "aids/default_snippets.h"
#include "app/command_line.h"
#include "app/crash_guard.h"
#include "app/installer_actions.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/menu_icons.h"
#include "app/message_loop.h"
#include "app/organizer_keys.h"
#include "app/settings_store.h"
#include "app/shortcut_keys_win.h"
#include "app/shortcuts.h"
#include "app/single_instance.h"
#include "app/startup_trace.h"
#include "base/app_state.h"
#include "base/ini_file.h"
#include "base/ui_text.h"
#include "build/build_menu.h"
#include "build/tarvik_settings.h"
#include "lang/theme_store.h"
#include "lang/view_language.h"
#include "panes/favorites_file.h"
#include "panes/favorites_menu.h"

namespace kelpo {
namespace {

std::vector<std::wstring> ProcessArguments() {
    int count = 0;
    unique_argv argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i) {
        args.emplace_back(argv[i]);
    }
    return args;
}

void ReadOsVersion(AppState& app) {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                  reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                            : nullptr;
    OSVERSIONINFOW info{sizeof(OSVERSIONINFOW)};
    if (getVersion != nullptr && getVersion(&info) == 0) {
        app.osMajor = info.dwMajorVersion;
        app.osMinor = info.dwMinorVersion;
        app.osBuild = info.dwBuildNumber;
    }
}

class ComScope {
public:
    // OLE rather than bare COM: the favourites organiser takes files dropped from the shell.
    ComScope() : initialized_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (initialized_) {
            ::OleUninitialize();
        }
    }

private:
    bool initialized_;
};

}  // namespace

bool PrepareWindowClasses(HINSTANCE instance) {
    AppState& app = App();
    app.instance = instance;
    LoadStartupTheme(app);
    TraceStartup("theme read");
    SetLanguageAppliedHook(OnLanguageAppliedForCompletion);
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&controls);
    TraceStartup("common controls");
    // Registered once per process; asking again (tests create several main windows) is no error.
    WNDCLASSEXW existing{sizeof(WNDCLASSEXW)};
    if (::GetClassInfoExW(instance, kMainWindowClass, &existing)) {
        return true;
    }
    return RegisterWindowClasses(instance);
}

HWND StartMainWindow(HINSTANCE instance, const WindowPos& pos) {
    AppState& app = App();
    // Step 9, the command icons for the menus, is done when the menu is made.
    BuildAccelerators(app);
    TraceStartup("accelerators");
    HMENU menu = BuildMainMenu();
    if (menu != nullptr) {
        // The bar is finished before the window measures it: a Build menu taken away afterwards
        // would leave its place empty.
        SetTarvikDirVariable(app.paths.folder);
        SetUpBuildMenu(menu, app.paths.folder);
        ApplyMenuShortcutTexts(menu, CurrentShortcuts());
        ApplyCommandMenuIcons(menu);
    }
    TraceStartup("main menu");
    HWND window = CreateMainWindow(instance, pos, menu);
    TraceStartup("main window created");
    if (window == nullptr) {
        if (menu != nullptr) {
            ::DestroyMenu(menu);
        }
        return nullptr;
    }
    PrepareFavorites();
    BuildFavoritesMenu();
    TraceStartup("favourites");
    ::ShowWindow(window, pos.showCmd);
    TraceStartup("window shown");
    ::UpdateWindow(window);
    TraceStartup("window painted");
    app.organizerAccelerators.reset(CreateOrganizerAccelerators());
    return window;
}

int RunKelpo(HINSTANCE instance) {
    TraceStartup("entry");
    const std::vector<std::wstring> args = ProcessArguments();
    AppState& app = App();
    app.paths = AppPathsOfExecutable();
    ReadOsVersion(app);

    if (const InstallerAction action = FindInstallerSwitch(args); action != InstallerAction::None) {
        RunInstallerAction(action, app.paths);
        return 0;
    }
    EnsureDefaultSnippetFile(app.paths.snippetsFile);
    IniFile(app.paths.settingsFile).ReadText(L"Lang", app.settings.lang, 3);
    LoadInterfaceLanguage(app.paths, app.settings.lang);
    TraceStartup("snippets and interface language");
    InstallCrashGuard();
    ComScope com;
    TraceStartup("crash guard and COM");

    const WindowPos startPos = LoadSettings(app);
    TraceStartup("settings");

    const InstanceCheck instanceCheck = ApplySingleInstanceRule((app.settings.config1 & kC1SeveralInstances) != 0);
    if (instanceCheck.handedOver) {
        return 0;
    }
    TraceStartup("single instance");
    if (!PrepareWindowClasses(instance)) {
        return 0;
    }
    TraceStartup("window classes");
    if (StartMainWindow(instance, startPos) == nullptr) {
        return 0;
    }
    RunMessageLoop(app);
    Scintilla_ReleaseResources();
    return 0;
}

}  // namespace kelpo
