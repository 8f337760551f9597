// Shared pieces of the tab and file-command tests.
#include "tab_test_support.h"

#include <commctrl.h>
#include <shellapi.h>

#include <fstream>
#include <iterator>

#include "app/settings_store.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "base/message_box.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_dialogs.h"
#include "doc/project_marks.h"

namespace kelpo::tab_test {

using namespace std::chrono_literals;

MessageAnswers::MessageAnswers() {
    SetMessageHook([this](UINT, const std::wstring& text) {
        texts_.push_back(text);
        if (answers_.empty()) {
            return IDCANCEL;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

MessageAnswers::~MessageAnswers() { SetMessageHook(nullptr); }

// Dialog driver -----------------------------------------------------------------------------

namespace {

struct DriverState {
    int controlId = 0;
    std::function<void(HWND)> action;
    HWND dialog = nullptr;
    bool ran = false;
    int ticksAfterAction = 0;
    UINT_PTR timer = 0;
};

DriverState& Driver() {
    static DriverState state;
    return state;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM) {
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (::lstrcmpW(className, L"#32770") == 0 && ::IsWindowVisible(window) &&
        ::GetDlgItem(window, Driver().controlId) != nullptr) {
        Driver().dialog = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR, DWORD) {
    DriverState& state = Driver();
    if (state.ran) {
        // About three seconds after the action the dialog should long be closed.
        if (++state.ticksAfterAction == 100 && ::IsWindow(state.dialog)) {
            ::PostMessageW(state.dialog, WM_COMMAND, IDCANCEL, 0);
        }
        return;
    }
    state.dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, 0);
    if (state.dialog == nullptr) {
        return;
    }
    state.ran = true;
    state.action(state.dialog);
}

}  // namespace

DialogDriver::DialogDriver(int controlId, std::function<void(HWND dialog)> action) {
    DriverState& state = Driver();
    state = DriverState{};
    state.controlId = controlId;
    state.action = std::move(action);
    state.timer = ::SetTimer(nullptr, 0, 30, DriveDialog);
}

DialogDriver::~DialogDriver() {
    ::KillTimer(nullptr, Driver().timer);
    Driver() = DriverState{};
}

bool DialogDriver::Ran() const { return Driver().ran; }

// Fixture ------------------------------------------------------------------------------------



void TabWindowTest::SetUp() {
    ASSERT_TRUE(test::EnsureWindowClasses());
    test::ResetAppState(settings_.Path());
    window_ = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(PumpUntil([] { return !App().starting; }, 5s));
    CloseAllTabs();
    ResetProjectMarks();
    answers_.Clear();
    SetSaveDialogHook([this](const Document&) -> std::optional<std::wstring> {
        if (savePaths_.empty()) {
            return std::nullopt;
        }
        std::wstring path = savePaths_.front();
        savePaths_.pop_front();
        return path;
    });
}

void TabWindowTest::TearDown() {
    SetSaveDialogHook(nullptr);
    if (::IsWindow(window_)) {
        CloseAllTabs();
        ::DestroyWindow(window_);
    }
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

Document* TabWindowTest::OpenFile(const std::wstring& name, const std::string& bytes) {
    WriteFileBytes(files_.File(name), bytes);
    return OpenDocument(files_.File(name));
}

void TabWindowTest::Command(int command, LPARAM lParam) {
    ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(command, 0), lParam);
}

HWND TabWindowTest::TabBar() const { return Tabs()->TabControl(); }

std::vector<Document*> TabWindowTest::TabOrder() const {
    // The documents are kept beside the bar: each tab must still show its own document's name.
    EXPECT_EQ(::SendMessageW(TabBar(), TCM_GETITEMCOUNT, 0, 0), Tabs()->Count());
    std::vector<Document*> order;
    for (int i = 0; i < Tabs()->Count(); ++i) {
        wchar_t text[261] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 261;
        ::SendMessageW(TabBar(), TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::wstring(text), Tabs()->At(i)->displayName) << "tab " << i;
        order.push_back(Tabs()->At(i));
    }
    return order;
}

RECT TabWindowTest::TabRect(int index) const {
    RECT rect{};
    ::SendMessageW(TabBar(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

POINT TabWindowTest::TabCentre(int index) const {
    const RECT rect = TabRect(index);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void TabWindowTest::Mouse(UINT message, POINT point, WPARAM keys) const {
    ::SendMessageW(TabBar(), message, keys, MAKELPARAM(point.x, point.y));
}

bool TabWindowTest::IsMarked(int index) const {
    TCITEMW item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = TCIS_HIGHLIGHTED;
    ::SendMessageW(TabBar(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return (item.dwState & TCIS_HIGHLIGHTED) != 0;
}

int TabWindowTest::ImageOf(int index) const {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    ::SendMessageW(TabBar(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void TabWindowTest::Touch(Document& document) const {
    document.view->Call(SCI_APPENDTEXT, 1, reinterpret_cast<sptr_t>("x"));
    PumpFor(std::chrono::milliseconds(0));
    ASSERT_TRUE(document.modified);  // the view reported leaving its save point
}

}  // namespace kelpo::tab_test
