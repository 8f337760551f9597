// The filter list handed to the file dialogs and the paths read back from a multiple selection.
#include <gtest/gtest.h>

#include "doc/file_dialog_lists.h"

namespace kelpo {
namespace {

using namespace std::string_view_literals;

TEST(FileDialogLists, FilterIsPairsEndedByTwoZerosWithEverythingFirst) {
    const std::wstring_view filter = FileTypeFilter();
    ASSERT_FALSE(filter.empty());
    EXPECT_EQ(filter.back(), L'\0');
    EXPECT_EQ(filter.data()[filter.size()], L'\0');  // the list's closing zero
    std::size_t parts = 0;
    for (std::size_t start = 0; start < filter.size(); ++parts) {
        const std::size_t end = filter.find(L'\0', start);
        ASSERT_NE(end, start) << "empty part " << parts;
        start = end + 1;
    }
    EXPECT_EQ(parts % 2, 0u);
    EXPECT_EQ(filter.substr(0, filter.find(L'\0')), L"All files (*.*)");
    EXPECT_NE(filter.find(L"*.tvk"), std::wstring_view::npos);
}

TEST(FileDialogLists, SelectionOfOneFileOrOfSeveralInAFolder) {
    EXPECT_EQ(SelectedFiles(L"C:\\src\\main.cpp\0\0"sv), std::vector<std::wstring>{L"C:\\src\\main.cpp"});
    EXPECT_EQ(SelectedFiles(L"C:\\src\0a.c\0b c.h\0\0"sv),
              (std::vector<std::wstring>{L"C:\\src\\a.c", L"C:\\src\\b c.h"}));
    EXPECT_EQ(SelectedFiles(L"C:\\\0boot.ini\0x.txt\0\0"sv),
              (std::vector<std::wstring>{L"C:\\boot.ini", L"C:\\x.txt"}));
    EXPECT_TRUE(SelectedFiles(L"\0\0"sv).empty());
    EXPECT_TRUE(SelectedFiles(L""sv).empty());
    // A buffer without its final zeros is read no further than its end.
    EXPECT_EQ(SelectedFiles(L"D:\\x\0y"sv), std::vector<std::wstring>{L"D:\\x\\y"});
}

}  // namespace
}  // namespace kelpo
