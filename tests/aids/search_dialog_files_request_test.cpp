// The Find in Files dialog's fields turned into a search request, and its location list.
#include <gtest/gtest.h>

#include "aids/search_dialog_files_request.h"
#include "aids/search_options.h"
#include "base/ui_text.h"

namespace kelpo {
namespace {

TEST(FindInFilesRequest, LocationListStartsWithTheSpecialEntries) {
    const std::vector<LocationEntry> entries = LocationEntries({L"C:\\src", L"D:\\work"});
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, UiText(kTextLocationDocumentFolder));
    EXPECT_EQ(entries[0].kind, LocationKind::DocumentFolder);
    EXPECT_EQ(entries[1].kind, LocationKind::ExplorerFolder);
    EXPECT_EQ(entries[2].text, L"C:\\src");
    EXPECT_EQ(entries[3].kind, LocationKind::Typed);

    struct Row {
        std::uint32_t options;
        int history;
        int index;
    };
    for (const Row& row : {Row{1u << kSearchLocationShift, 2, 0}, Row{2u << kSearchLocationShift, 0, 1},
                           Row{0, 2, 2}, Row{0, 0, 0}, Row{7u << kSearchLocationShift | kSearchWrap, 1, 2}}) {
        EXPECT_EQ(InitialLocationIndex(StoredLocationKind(row.options), row.history), row.index) << row.options;
    }
}

TEST(FindInFilesRequest, FieldsBecomeTheRequestOrTheReasonNot) {
    struct Row {
        FindInFilesFields fields;
        std::wstring documentPath;
        FindInFilesProblem problem;
        std::wstring folder;
    };
    const std::uint32_t options = kSearchMatchCase | kSearchSubfolders | kSearchToPane2;
    const Row rows[] = {
        {{L"needle", L"*.c;*.h", L"C:\\src", LocationKind::Typed, options}, L"", FindInFilesProblem::None,
         L"C:\\src"},
        {{L"needle", L"", L"shown text", LocationKind::DocumentFolder, options}, L"C:\\proj\\a.cpp",
         FindInFilesProblem::None, L"C:\\proj\\"},
        {{L"needle", L"", L"shown text", LocationKind::DocumentFolder, options}, L"",
         FindInFilesProblem::NoDocumentFolder, L""},
        {{L"needle", L"", L"shown text", LocationKind::ExplorerFolder, options}, L"C:\\proj\\a.cpp",
         FindInFilesProblem::NoExplorerFolder, L""},
        {{L"needle", L"", L"", LocationKind::DocumentFolder, options}, L"C:\\a.c", FindInFilesProblem::NoLocation, L""},
        {{L"", L"", L"C:\\src", LocationKind::Typed, options}, L"", FindInFilesProblem::NoText, L""},
        {{std::wstring(257, L'x'), L"", L"C:\\src", LocationKind::Typed, options}, L"",
         FindInFilesProblem::TextTooLong, L""},
    };
    for (const Row& row : rows) {
        FindInFilesRequest request;
        EXPECT_EQ(MakeFindInFilesRequest(row.fields, row.documentPath, L"", request), row.problem)
            << row.fields.location;
        EXPECT_EQ(request.folder, row.folder);
    }

    FindInFilesRequest request;
    ASSERT_EQ(MakeFindInFilesRequest(rows[1].fields, rows[1].documentPath, L"", request), FindInFilesProblem::None);
    EXPECT_EQ(request.text, L"needle");
    EXPECT_EQ(request.filter, L"*.*") << "an empty filter takes every file";
    EXPECT_TRUE(request.matchCase);
    EXPECT_FALSE(request.wholeWord);
    EXPECT_TRUE(request.subfolders);
    EXPECT_EQ(request.pane, 1);
    ASSERT_EQ(MakeFindInFilesRequest(rows[0].fields, L"", L"", request), FindInFilesProblem::None);
    EXPECT_EQ(request.filter, L"*.c;*.h");

    FindInFilesFields whole{std::wstring(256, L'x'), L"", L"C:\\src", LocationKind::Typed, kSearchWholeWord};
    ASSERT_EQ(MakeFindInFilesRequest(whole, L"", L"", request), FindInFilesProblem::None);
    EXPECT_TRUE(request.wholeWord);
    EXPECT_FALSE(request.subfolders);
    EXPECT_EQ(request.pane, 0);
}

}  // namespace
}  // namespace kelpo
