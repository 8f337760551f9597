// Path parts, source/header companions and #include lines used by the document commands.
#include <gtest/gtest.h>

#include "doc/companion_file.h"
#include "doc/include_line.h"
#include "doc/path_parts.h"

namespace kelpo {
namespace {

TEST(PathParts, FolderNameAndExtension) {
    EXPECT_EQ(FolderOfPath(L"C:\\src\\app\\main.cpp"), L"C:\\src\\app");
    EXPECT_EQ(FileNameOfPath(L"C:\\src\\app\\main.cpp"), L"main.cpp");
    EXPECT_EQ(ExtensionOfPath(L"C:\\src\\app\\main.cpp"), L"cpp");
    EXPECT_EQ(ExtensionOfPath(L"C:\\src\\archive.tar.GZ"), L"GZ");
    EXPECT_EQ(FolderOfPath(L"Untitled 1"), L"");
    EXPECT_EQ(FileNameOfPath(L"Untitled 1"), L"Untitled 1");
    // A period in a folder name is not the file's extension.
    EXPECT_EQ(ExtensionOfPath(L"C:\\v1.2\\makefile"), L"");
    EXPECT_EQ(ExtensionOfPath(L""), L"");
}

TEST(PathParts, CommandWindowFolderKeepsTheRootBackslash) {
    EXPECT_EQ(FolderToEnter(L"C:\\autoexec.bat"), L"C:\\");
    EXPECT_EQ(FolderToEnter(L"C:\\src\\a.c"), L"C:\\src");
    EXPECT_EQ(FolderToEnter(L"\\\\server\\share\\a.c"), L"\\\\server\\share");
    EXPECT_EQ(FolderOfPath(L"C:\\autoexec.bat"), L"C:");
}

TEST(CompanionFile, SourcesLeadToTheHeaderAndHeadersToSourcesInOrder) {
    using List = std::vector<std::wstring>;
    EXPECT_EQ(CompanionFileCandidates(L"C:\\p\\a.c"), List{L"C:\\p\\a.h"});
    EXPECT_EQ(CompanionFileCandidates(L"C:\\p\\a.CPP"), List{L"C:\\p\\a.h"});
    EXPECT_EQ(CompanionFileCandidates(L"C:\\p\\a.cxx"), List{L"C:\\p\\a.h"});
    const List sources{L"C:\\p\\a.c", L"C:\\p\\a.cpp", L"C:\\p\\a.cxx", L"C:\\p\\a.cc"};
    EXPECT_EQ(CompanionFileCandidates(L"C:\\p\\a.h"), sources);
    EXPECT_EQ(CompanionFileCandidates(L"C:\\p\\a.Hxx"), sources);
    EXPECT_TRUE(CompanionFileCandidates(L"C:\\p\\a.cc").empty());
    EXPECT_TRUE(CompanionFileCandidates(L"C:\\p\\a.hpp").empty());
    EXPECT_TRUE(CompanionFileCandidates(L"C:\\p.c\\readme").empty());
    EXPECT_TRUE(CompanionFileCandidates(L"").empty());
}

TEST(IncludeLine, QuotedAndAngledNamesWithBlanks) {
    EXPECT_EQ(IncludedFileName("#include \"doc/path_parts.h\""), "doc/path_parts.h");
    EXPECT_EQ(IncludedFileName("  #  include\t<vector>  // the standard one"), "vector");
    EXPECT_EQ(IncludedFileName("#include\"a.h\"\r\n"), "a.h");
    EXPECT_EQ(IncludedFileName("#include \"..\\sub dir\\b.h\""), "..\\sub dir\\b.h");
}

TEST(IncludeLine, OtherLinesNameNothing) {
    EXPECT_FALSE(IncludedFileName("int main() {}"));
    EXPECT_FALSE(IncludedFileName("#define X \"a.h\""));
    EXPECT_FALSE(IncludedFileName("#include"));
    EXPECT_FALSE(IncludedFileName("#include \"unterminated.h"));
    EXPECT_FALSE(IncludedFileName("#include <>"));
    EXPECT_FALSE(IncludedFileName("#include MACRO_NAME"));
    EXPECT_FALSE(IncludedFileName("// #include \"a.h\""));
    EXPECT_FALSE(IncludedFileName(""));
}

}  // namespace
}  // namespace kelpo
