// kelpo.exe ended by TerminateProcess while a file and an untitled document are modified: the
// next start brings both texts back, modified, and the file on disk is as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "base/config_bits.h"
#include "base/handles.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;

constexpr WPARAM kNewCommand = 2;

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

HWND MainWindowOf(DWORD processId) {
    Search search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t name[32] = {};
            ::GetClassNameW(window, name, 32);
            if (owner == s->processId && std::wstring(name) == L"KelpoWindow") {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

// The editing components of the document tabs (the panes' own have lower identifiers).
std::vector<HWND> DocumentViews(HWND mainWindow) {
    Search search{0, {}};
    ::EnumChildWindows(
        mainWindow,
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t name[32] = {};
            ::GetClassNameW(window, name, 32);
            if (std::wstring(name) == L"Scintilla" && ::GetDlgCtrlID(window) >= 0xF000) {
                reinterpret_cast<Search*>(param)->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleView(HWND mainWindow, HWND other) {
    for (HWND view : DocumentViews(mainWindow)) {
        if (view != other && ::IsWindowVisible(view)) {
            return view;
        }
    }
    return nullptr;
}

std::wstring ViewText(HWND view) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(view, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    const LRESULT length = ::SendMessageW(view, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TypeInto(HWND view, const wchar_t* text) {
    for (const wchar_t* c = text; *c != 0; ++c) {
        ::PostMessageW(view, WM_CHAR, *c, 1);
    }
}

std::size_t SnapshotCount(const std::wstring& backupFolder) {
    std::size_t count = 0;
    WIN32_FIND_DATAW run;
    unique_hfind runs(::FindFirstFileW((backupFolder + L"run-*").c_str(), &run));
    if (!runs) {
        return 0;
    }
    do {
        if (run.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            WIN32_FIND_DATAW file;
            unique_hfind files(::FindFirstFileW((backupFolder + run.cFileName + L"\\*.snapshot").c_str(), &file));
            for (bool more = static_cast<bool>(files); more; more = ::FindNextFileW(files.get(), &file) != FALSE) {
                ++count;
            }
        }
    } while (::FindNextFileW(runs.get(), &run));
    return count;
}

unique_handle Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(STARTUPINFOW)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process)) {
        return unique_handle();
    }
    ::CloseHandle(process.hThread);
    return unique_handle(process.hProcess);
}

void End(HANDLE process) {
    ::TerminateProcess(process, 1);
    ::WaitForSingleObject(process, 10000);
}

TEST(UnsavedTextAfterACrash, ComesBackAtTheNextStartWithTheFileUntouched) {
    TempFolder program;
    const std::wstring exe = program.File(L"kelpo.exe");
    ASSERT_TRUE(::CopyFileW((test::ProgramFolder() + L"kelpo.exe").c_str(), exe.c_str(), FALSE));
    // Several instances allowed: nothing running elsewhere takes the start over.
    test::WriteFileBytes(program.File(L"kelpo.ini"),
                         "[Kelpo]\r\nConfig1=" + std::to_string(kConfig1Default | kC1SeveralInstances) + "\r\n");
    const std::wstring path = program.File(L"source.c");
    const std::string onDisk = "int main(void) { return 0; }\r\n";
    test::WriteFileBytes(path, onDisk);

    unique_handle first = Start(exe, L"\"" + path + L"\"", program.Path());
    ASSERT_TRUE(first);
    HWND window = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] { return (window = MainWindowOf(::GetProcessId(first.get()))) != nullptr; }, 30s));
    HWND fileView = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] { return (fileView = VisibleView(window, nullptr)) != nullptr; }, 10s));
    ASSERT_TRUE(test::PumpUntil([&] { return ViewText(fileView).size() == onDisk.size(); }, 10s));
    TypeInto(fileView, L"// ");
    ::PostMessageW(window, WM_COMMAND, kNewCommand, 0);
    HWND untitledView = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] { return (untitledView = VisibleView(window, fileView)) != nullptr; }, 10s));
    TypeInto(untitledView, L"notes \u00E9");

    const std::wstring backupFolder = program.File(L"backup\\");
    ASSERT_TRUE(test::PumpUntil([&] { return SnapshotCount(backupFolder) == 2; }, 20s));
    End(first.get());
    EXPECT_EQ(test::ReadFileBytes(path), onDisk);

    unique_handle second = Start(exe, L"", program.Path());
    ASSERT_TRUE(second);
    HWND restored = nullptr;
    ASSERT_TRUE(
        test::PumpUntil([&] { return (restored = MainWindowOf(::GetProcessId(second.get()))) != nullptr; }, 30s));
    std::vector<std::wstring> texts;
    const bool both = test::PumpUntil(
        [&] {
            texts.clear();
            for (HWND view : DocumentViews(restored)) {
                if (::SendMessageW(view, SCI_GETMODIFY, 0, 0) != 0) {
                    texts.push_back(ViewText(view));
                }
            }
            std::sort(texts.begin(), texts.end());
            return texts.size() == 2;
        },
        20s);
    End(second.get());
    ASSERT_TRUE(both) << texts.size() << " modified documents";
    EXPECT_EQ(texts[0], L"// int main(void) { return 0; }\r\n");
    EXPECT_EQ(texts[1], L"notes \u00E9");
    EXPECT_EQ(test::ReadFileBytes(path), onDisk);
}

}  // namespace
}  // namespace kelpo
