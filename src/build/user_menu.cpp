// The line rules of the user command sections.
#include "build/user_menu.h"

namespace kelpo {
namespace {

UserMenuRow Separator() { return UserMenuRow{true, {}, -1}; }

// Entries past the identifier range would be items that do nothing: they are left out.
void AddEntry(UserMenu& menu, std::wstring label, std::wstring command) {
    if (menu.commands.size() >= kMaxUserCommands) {
        return;
    }
    menu.rows.push_back(UserMenuRow{false, std::move(label), static_cast<int>(menu.commands.size())});
    menu.commands.push_back(std::move(command));
}

void DivideFromFixedItem(UserMenu& menu) {
    if (!menu.commands.empty()) {
        menu.rows.insert(menu.rows.begin(), Separator());
    }
}

}  // namespace

UserMenu BuildSectionMenu(const std::vector<std::wstring>& lines) {
    UserMenu menu;
    for (const std::wstring& line : lines) {
        if (line.starts_with(L'#')) {
            if (line.starts_with(L"#-")) {
                menu.rows.push_back(Separator());
            }
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) {
            AddEntry(menu, line.substr(0, equals), line.substr(equals + 1));
        }
    }
    DivideFromFixedItem(menu);
    return menu;
}

UserMenu AutoBuildSectionMenu(const std::vector<std::wstring>& lines) {
    UserMenu menu;
    for (const std::wstring& line : lines) {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) {
            menu.rows.push_back(Separator());
            continue;
        }
        const std::size_t bar = line.find(L'|', equals + 1);
        AddEntry(menu, line.substr(0, equals),
                 line.substr(equals + 1, bar == std::wstring::npos ? std::wstring::npos : bar - equals - 1));
    }
    DivideFromFixedItem(menu);
    return menu;
}

}  // namespace kelpo
