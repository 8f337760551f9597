// The running program's variable sources.
#include "aids/variables_context.h"

#include <windows.h>

#include "base/app_state.h"
#include "base/ini_file.h"
#include "base/text_convert.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

constexpr std::size_t kUserValueChars = 127;

std::string UserValue(const IniFile& ini, const wchar_t* key) {
    std::wstring value;
    ini.ReadText(key, value, kUserValueChars);
    return WideToUtf8(value);
}

}  // namespace

LocalTime CurrentLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

VariableContext CurrentVariableContext() {
    VariableContext context;
    const IniFile ini(App().paths.settingsFile);
    context.author = UserValue(ini, L"author");
    context.email = UserValue(ini, L"email");
    context.company = UserValue(ini, L"company");
    context.time = CurrentLocalTime();
    const DocumentTabs* tabs = Tabs();
    const Document* document = tabs != nullptr ? tabs->Active() : nullptr;
    if (document != nullptr && document->view) {
        context.hasDocument = true;
        context.path = WideToUtf8(document->path);
        const EditorView& view = *document->view;
        context.line = static_cast<unsigned>(view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS)) + 1);
    }
    return context;
}

}  // namespace kelpo
