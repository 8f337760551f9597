// Interface texts: built-in defaults and translations that are only used when they are safe formats.
#include <gtest/gtest.h>

#include "base/ui_text.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

TEST(UiText, TranslationsReplaceDefaultsOnlyWithTheSameArguments) {
    test::TempFolder folder;
    const AppPaths paths = MakeAppPaths(folder.Path());
    LoadInterfaceLanguage(paths, L"");
    EXPECT_EQ(UiText(kTextSaveQuestion), L"Save changes to %s?");
    EXPECT_EQ(UiText(99999), L"");

    ::CreateDirectoryW(folder.File(L"lang").c_str(), nullptr);
    test::WriteFileBytes(folder.File(L"lang\\DEU.ini"), "[Strings]\r\n100=Aenderungen an %s speichern?\r\n");
    LoadInterfaceLanguage(paths, L"DEU");
    EXPECT_EQ(UiText(kTextSaveQuestion), L"Aenderungen an %s speichern?");
    test::WriteFileBytes(folder.File(L"lang\\DEU.ini"), "[Strings]\r\n100=%s %s %s\r\n");
    EXPECT_EQ(UiText(kTextSaveQuestion), L"Save changes to %s?");  // would read arguments that are not there

    LoadInterfaceLanguage(paths, L"ENU");
    EXPECT_EQ(UiText(kTextSaveQuestion), L"Save changes to %s?");
    LoadInterfaceLanguage(paths, L"");
}

}  // namespace
}  // namespace kelpo
