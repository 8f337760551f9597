// The output page of the main window's bottom pane: its view is made when the page is first seen
// or written to.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>

#include "base/app_state.h"
#include "build/output_pane.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using OutputPaneTest = test::MainWindowFixture;

BOOL CALLBACK CountViews(HWND child, LPARAM count) {
    wchar_t name[32] = {};
    ::GetClassNameW(child, name, 32);
    if (std::wstring(name) == L"Scintilla" && ::IsWindowVisible(child)) {
        RECT area{};
        ::GetClientRect(child, &area);
        *reinterpret_cast<int*>(count) += area.right > 0 && area.bottom > 0 ? 1 : 0;
    }
    return TRUE;
}

int ShownViewsInBottomPane() {
    int count = 0;
    ::EnumChildWindows(App().shell.bottomHost, CountViews, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(OutputPaneTest, TheViewIsMadeWhenThePageIsFirstShown) {
    ASSERT_FALSE(::IsWindowVisible(App().shell.bottomHost));
    ::SendMessageW(window_, WM_COMMAND, 94, 0);  // show the output page
    EXPECT_TRUE(test::PumpUntil([] { return ShownViewsInBottomPane() == 1; }, std::chrono::seconds(5)));
    AppendOutputUtf8("main.c(3): error C2065\r\n");
    EXPECT_EQ(OutputText(), "main.c(3): error C2065\r\n");
}

TEST_F(OutputPaneTest, WritingToTheHiddenPageKeepsTheText) {
    AppendOutputUtf8("first\r\n");
    AppendOutput("second\r\n");
    EXPECT_EQ(OutputText(), "first\r\nsecond\r\n");
    ClearOutput();
    EXPECT_EQ(OutputText(), "");
}

}  // namespace
}  // namespace kelpo
