// The colour dialog and the date-and-time list of the insert commands.
#include "app/insert_commands.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/insert_text.h"
#include "base/app_state.h"
#include "base/common_dialogs.h"
#include "base/ini_file.h"
#include "base/text_convert.h"
#include "doc/document_tabs.h"
#include "lang/editor_view.h"

namespace kelpo {
namespace {

// The list last offered, so that the selection can be mapped back to its position.
std::vector<std::string>& OfferedItems() {
    static std::vector<std::string> items;
    return items;
}

EditorView* ActiveView() {
    const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    return active != nullptr ? active->view.get() : nullptr;
}

void InsertColour(EditorView& view) {
    // The custom colours last the run, as the colour dialog expects a place to keep them.
    static COLORREF customColours[16] = {};
    static COLORREF lastColour = 0;
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = App().mainWindow;
    choose.rgbResult = lastColour;
    choose.lpCustColors = customColours;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ShowColorDialog(&choose)) {
        return;
    }
    lastColour = choose.rgbResult;
    const std::string text = FormatColourHex(choose.rgbResult);
    view.Call(SCI_REPLACESEL, 0, reinterpret_cast<sptr_t>(text.c_str()));
}

struct FormatCollector {
    std::vector<std::wstring> formats;
};

BOOL CALLBACK CollectDateFormat(LPWSTR format, CALID, LPARAM context) {
    reinterpret_cast<FormatCollector*>(context)->formats.emplace_back(format);
    return TRUE;
}

BOOL CALLBACK CollectTimeFormat(LPWSTR format, LPARAM context) {
    reinterpret_cast<FormatCollector*>(context)->formats.emplace_back(format);
    return TRUE;
}

std::wstring FormatDate(const SYSTEMTIME& now, const std::wstring& format) {
    wchar_t text[256] = {};
    return ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, format.c_str(), text, 256, nullptr) > 0 ? text
                                                                                                       : L"";
}

std::wstring FormatTime(const SYSTEMTIME& now, const std::wstring& format) {
    wchar_t text[256] = {};
    return ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, format.c_str(), text, 256) > 0 ? text : L"";
}

// The current date in every short and long date format of the user's locale, then the current
// time in every time format.
std::vector<std::string> DateTimeItems() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    FormatCollector dates;
    ::EnumDateFormatsExEx(CollectDateFormat, LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE,
                          reinterpret_cast<LPARAM>(&dates));
    ::EnumDateFormatsExEx(CollectDateFormat, LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE,
                          reinterpret_cast<LPARAM>(&dates));
    FormatCollector times;
    ::EnumTimeFormatsEx(CollectTimeFormat, LOCALE_NAME_USER_DEFAULT, 0, reinterpret_cast<LPARAM>(&times));
    std::vector<std::string> items;
    for (const std::wstring& format : dates.formats) {
        items.push_back(WideToUtf8(FormatDate(now, format)));
    }
    for (const std::wstring& format : times.formats) {
        items.push_back(WideToUtf8(FormatTime(now, format)));
    }
    if (items.empty()) {
        // A system that enumerates nothing still has its default formats.
        items.push_back(WideToUtf8(FormatDate(now, std::wstring())));
        items.push_back(WideToUtf8(FormatTime(now, std::wstring())));
    }
    return CleanListItems(items);
}

void ShowDateTimeList(EditorView& view) {
    std::vector<std::string>& items = OfferedItems();
    items = DateTimeItems();
    if (items.empty()) {
        return;
    }
    const std::string list = JoinListItems(items);
    // The separator and order belong to the word lists too; they are put back once shown.
    const sptr_t oldSeparator = view.Call(SCI_AUTOCGETSEPARATOR);
    const sptr_t oldOrder = view.Call(SCI_AUTOCGETORDER);
    view.Call(SCI_AUTOCSETSEPARATOR, '|');
    view.Call(SCI_AUTOCSETORDER, SC_ORDER_CUSTOM);
    view.Call(SCI_USERLISTSHOW, kDateTimeListType, reinterpret_cast<sptr_t>(list.c_str()));
    const int last = App().settings.dateTimeId;
    if (last >= 0 && last < static_cast<int>(items.size())) {
        view.Call(SCI_AUTOCSELECT, 0, reinterpret_cast<sptr_t>(items[static_cast<std::size_t>(last)].c_str()));
    }
    view.Call(SCI_AUTOCSETSEPARATOR, static_cast<uptr_t>(oldSeparator));
    view.Call(SCI_AUTOCSETORDER, static_cast<uptr_t>(oldOrder));
}

}  // namespace

bool HandleInsertCommand(int command) {
    if (command != kCmdInsertColour && command != kCmdInsertDateTime) {
        return false;
    }
    EditorView* view = ActiveView();
    if (view == nullptr) {
        return false;
    }
    if (command == kCmdInsertColour) {
        InsertColour(*view);
    } else {
        ShowDateTimeList(*view);
    }
    return true;
}

bool OnDateTimeListSelection(EditorView& view, const SCNotification& notification) {
    if (notification.listType != kDateTimeListType || notification.text == nullptr) {
        return false;
    }
    const std::optional<int> index = IndexOfListItem(OfferedItems(), notification.text);
    if (!index) {
        return false;
    }
    view.Call(SCI_REPLACESEL, 0, reinterpret_cast<sptr_t>(notification.text));
    AppState& app = App();
    app.settings.dateTimeId = *index;
    IniFile settingsFile(app.paths.settingsFile);
    settingsFile.EnsureUnicodeFile();
    settingsFile.WriteInt(L"DateTimeId", *index);
    return true;
}

}  // namespace kelpo
