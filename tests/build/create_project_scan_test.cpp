// The source scan of project creation: which lines reveal which target, and which files count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/create_project.h"

namespace kelpo {
namespace {

std::string KindText(const TargetKind& kind) { return std::string(kind.targetType) + " " + kind.runtimeLib; }

TEST(CreateProjectScan, LinesRevealTheTarget) {
    struct Case {
        const char* line;
        const char* kind;  // empty: nothing revealed
    };
    const Case cases[] = {
        {"int main (void)", "EXE LIBCMT"},
        {"int domain(int x)", "EXE LIBCMT"},
        {"int main\t \t(", "EXE LIBCMT"},
        {"int Main(void)", ""},
        {"int main;", ""},
        {"// main is below; int main(", ""},  // only the first "main" of the line is looked at
        {"int WINAPI WinMain (HINSTANCE h,", "EXE LIBCMT"},
        {"BOOL WINAPI DllMain(HINSTANCE h, DWORD r, LPVOID p)", "DLL LIBCMT"},
        {"NTSTATUS DriverEntry (PDRIVER_OBJECT d, PUNICODE_STRING r)", "SYS NONE"},
        {"BEGIN_MESSAGE_MAP(CApp, CWinApp)", "EXE MFCSTATIC"},
        {"  BEGIN_MESSAGE_MAP(CApp, CWinApp)", ""},
        {"BEGIN_MESSAGE_MAP (CApp, CWinApp)", ""},
        {"DllMain(main(", "DLL LIBCMT"},  // tests run in order: DllMain before main
        {"", ""},
    };
    for (const Case& c : cases) {
        const std::optional<TargetKind> kind = TargetKindOfLine(c.line);
        EXPECT_EQ(kind ? KindText(*kind) : "", c.kind) << c.line;
    }
}

TEST(CreateProjectScan, FirstRevealingLineOfAnyFileDecides) {
    EXPECT_EQ(KindText(TargetKindOfSources({})), "LIB LIBCMT");
    EXPECT_EQ(KindText(TargetKindOfSources({"int f(void);\nint g;\n", "x\r\nNTSTATUS DriverEntry(\r\nint main(\r\n"})),
              "SYS NONE");
    // A line longer than 511 bytes is read in pieces: a call cut at the piece border is missed.
    EXPECT_EQ(KindText(TargetKindOfSources({std::string(505, ' ') + "int main(void)\n"})), "LIB LIBCMT");
    EXPECT_EQ(KindText(TargetKindOfSources({std::string(511, ' ') + "BEGIN_MESSAGE_MAP(x)\n"})), "EXE MFCSTATIC");
}

TEST(CreateProjectScan, FileNames) {
    struct Case {
        const wchar_t* name;
        bool scanned;
        bool listed;
    };
    const Case cases[] = {
        {L"main.c", true, true},       {L"App.CPP", true, true},      {L"x.cxx", true, true},
        {L"res.rc", false, true},      {L"exports.DEF", false, true}, {L"fast.asm", false, true},
        {L"StdAfx.cpp", true, false},  {L"precomp.c", true, false},   {L"my_stdafx.cpp", true, false},
        {L"main.h", false, false},     {L"c", false, false},          {L".c", false, false},
        {L"notes.cc", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsScannedSource(c.name), c.scanned) << c.name;
        EXPECT_EQ(IsListedSource(c.name), c.listed) << c.name;
    }
}

}  // namespace
}  // namespace kelpo
