// Templates menu and new documents from templates.
#include "aids/templates_menu.h"

#include "base/app_state.h"
#include "base/ui_text.h"
#include "doc/documents.h"
#include "doc/file_location.h"

namespace kelpo {
namespace {

std::wstring TemplateFolder() { return App().paths.folder + L"template\\"; }

}  // namespace

std::vector<std::wstring> ListTemplates() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const unique_hfind find(::FindFirstFileW((TemplateFolder() + L"*.*").c_str(), &found));
    if (!find) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && name.find(L'.') != std::wstring::npos) {
            names.push_back(name);
        }
    } while (::FindNextFileW(find.get(), &found));
    return names;
}

std::wstring TemplateMenuText(const std::wstring& fileName) { return fileName.substr(0, fileName.rfind(L'.')); }

unique_hmenu BuildTemplatesMenu(const std::vector<std::wstring>& names) {
    unique_hmenu menu(::CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        ::AppendMenuW(menu.get(), MF_STRING, i + 1, TemplateMenuText(names[i]).c_str());
    }
    if (!names.empty()) {
        ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    }
    ::AppendMenuW(menu.get(), MF_STRING, kOpenTemplateFolderCommand, UiText(kTextOpenTemplateFolder).c_str());
    return menu;
}

Document* NewDocumentFromTemplate(const std::wstring& fileName) {
    const std::wstring path = TemplateFolder() + fileName;
    return NewDocument(path.c_str());
}

void RunTemplatesCommand(int command, const std::vector<std::wstring>& names) {
    if (command >= 1 && static_cast<std::size_t>(command) <= names.size()) {
        NewDocumentFromTemplate(names[static_cast<std::size_t>(command) - 1]);
    } else if (command == kOpenTemplateFolderCommand) {
        ShowFileLocation(FileLocationMode::ExplorerPane, TemplateFolder());
    }
}

void ShowTemplatesMenu(HWND owner, const RECT& button) {
    const std::vector<std::wstring> names = ListTemplates();
    const unique_hmenu menu = BuildTemplatesMenu(names);
    if (!menu) {
        return;
    }
    const int command = static_cast<int>(::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                                          button.left, button.bottom, 0, owner, nullptr));
    RunTemplatesCommand(command, names);
}

}  // namespace kelpo
