// WalkFolder over an in-memory tree: filters, subfolders on and off, stopping.
#include "aids/find_file_walk.h"

#include <gtest/gtest.h>

#include "memory_find_disk.h"

namespace kelpo {
namespace {

using testing_support::MemoryFindDisk;
using Paths = std::vector<std::wstring>;

MemoryFindDisk SampleTree() {
    MemoryFindDisk disk;
    for (const wchar_t* path : {L"root\\a.c", L"root\\sub\\c.c", L"root\\Makefile", L"root\\sub\\deep\\d.h",
                                L"root\\b.h", L"root\\e.txt"}) {
        disk.AddFile(path, "x");
    }
    return disk;
}

Paths Walked(MemoryFindDisk& disk, const wchar_t* folder, std::optional<std::wstring_view> filter, bool subfolders) {
    Paths paths;
    WalkFolder(disk, folder, filter, subfolders, [&](const FolderEntry& entry, const std::wstring& path) {
        EXPECT_FALSE(entry.folder);
        paths.push_back(path);
        return true;
    });
    return paths;
}

TEST(WalkFolder, FiltersFilesAndEntersSubfoldersOnlyWhenAsked) {
    MemoryFindDisk disk = SampleTree();
    EXPECT_EQ(Walked(disk, L"root", L"*.c;*.h", false), (Paths{L"root\\a.c", L"root\\b.h"}));
    EXPECT_EQ(Walked(disk, L"root\\", L"*.c;*.h", true),
              (Paths{L"root\\a.c", L"root\\sub\\c.c", L"root\\sub\\deep\\d.h", L"root\\b.h"}));
    EXPECT_EQ(Walked(disk, L"root", L"*.*", false),
              (Paths{L"root\\a.c", L"root\\Makefile", L"root\\b.h", L"root\\e.txt"}));
    EXPECT_EQ(Walked(disk, L"root", std::nullopt, true).size(), 6u);
    EXPECT_TRUE(Walked(disk, L"nowhere", std::nullopt, true).empty());
}

TEST(WalkFolder, AFalseFromTheVisitorStopsEveryLevel) {
    MemoryFindDisk disk = SampleTree();
    Paths paths;
    const WalkVisitor stopAtTheSecond = [&](const FolderEntry&, const std::wstring& path) {
        paths.push_back(path);
        return paths.size() < 2;
    };
    const bool finished = WalkFolder(disk, L"root", std::nullopt, true, stopAtTheSecond);
    EXPECT_FALSE(finished);
    EXPECT_EQ(paths, (Paths{L"root\\a.c", L"root\\sub\\c.c"}));
    const WalkVisitor goOn = [](const FolderEntry&, const std::wstring&) { return true; };
    EXPECT_TRUE(WalkFolder(disk, L"root", L"*.txt", true, goOn));
}

}  // namespace
}  // namespace kelpo
