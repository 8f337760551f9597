// Command 65 in the running main window: the list is offered, and choosing an item inserts it
// and writes its position as DateTimeId at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "app/insert_commands.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "base/ini_file.h"
#include "doc/document_tabs.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;

using InsertCommandsTest = test::MainWindowFixture;

TEST_F(InsertCommandsTest, DateTimeListInsertsTheChosenItem) {
    ASSERT_NE(Tabs(), nullptr);
    ASSERT_NE(Tabs()->Active(), nullptr);
    EditorView& view = *Tabs()->Active()->view;
    EXPECT_FALSE(HandleInsertCommand(66));
    ASSERT_TRUE(HandleInsertCommand(65));
    ASSERT_TRUE(view.Call(SCI_AUTOCACTIVE));
    EXPECT_EQ(view.Call(SCI_AUTOCGETSEPARATOR), ' ');  // the word lists' separator is back

    view.Call(SCI_LINEDOWN);  // the second offered item
    char chosen[256] = {};
    view.Call(SCI_AUTOCGETCURRENTTEXT, 0, reinterpret_cast<sptr_t>(chosen));
    ASSERT_NE(chosen[0], '\0');
    view.Call(SCI_AUTOCCANCEL);

    SCNotification other{};
    other.listType = 2;
    other.text = chosen;
    EXPECT_FALSE(OnDateTimeListSelection(view, other));
    SCNotification unknown{};
    unknown.listType = kDateTimeListType;
    unknown.text = "not offered";
    EXPECT_FALSE(OnDateTimeListSelection(view, unknown));
    EXPECT_EQ(view.Text(), "");

    SCNotification selection{};
    selection.listType = kDateTimeListType;
    selection.text = chosen;
    ASSERT_TRUE(OnDateTimeListSelection(view, selection));
    EXPECT_EQ(view.Text(), chosen);
    EXPECT_GE(App().settings.dateTimeId, 0);
    EXPECT_EQ(IniFile(App().paths.settingsFile).ReadInt(L"DateTimeId", -1), App().settings.dateTimeId);
}

}  // namespace
}  // namespace kelpo
