// Shortcut storage and accelerator tables.
#include "app/shortcuts.h"

#include "app/shortcut_keys_win.h"
#include "base/app_state.h"
#include "base/ini_file.h"

namespace kelpo {
namespace {

constexpr wchar_t kShortcutsSection[] = L"Shortcuts";

std::vector<ShortcutEntry>& Table() {
    static std::vector<ShortcutEntry> table;
    return table;
}

}  // namespace

std::vector<ShortcutEntry> LoadShortcuts(const AppState& app) {
    return ParseShortcutLines(IniFile(app.paths.shortcutsFile).ReadList(kShortcutsSection));
}

void SaveShortcuts(const AppState& app, const std::vector<ShortcutEntry>& entries) {
    const std::vector<std::wstring> lines = FormatShortcutLines(entries);
    IniFile(app.paths.shortcutsFile).WriteList(kShortcutsSection, &lines);
}

void BuildAccelerators(AppState& app) {
    Table() = LoadShortcuts(app);
    AcceleratorTables tables = BuildAcceleratorTables(Table());
    app.mainAccelerators = std::move(tables.main);
    app.dialogAccelerators = std::move(tables.dialog);
}

void RebuildAccelerators(AppState& app) {
    BuildAccelerators(app);
    if (HMENU menu = app.fullScreen ? app.shell.savedMenu : ::GetMenu(app.mainWindow)) {
        ApplyMenuShortcutTexts(menu, Table());
    }
}

const std::vector<ShortcutEntry>& CurrentShortcuts() { return Table(); }

}  // namespace kelpo
