// Find in Files over a folder tree from the command line, timed: the engine the result panes use,
// on the Windows file system (kelpo_find_bench.exe) or natively (kelpo_find_bench).
//   kelpo_find_bench FOLDER PATTERN [--filter LIST] [--no-subfolders] [--case] [--word] [--list]
// With --list every result line is printed in UTF-8 as the pane gets it; the last line is always
// "matching lines M, files with matches F, files searched S, bytes B, ms T".
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "aids/find_engine.h"
#include "base/text_conversion.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "aids/find_disk_win.h"
#include "doc/ansi_code_page_win.h"
#else
// find_bench_posix_disk.cpp
std::unique_ptr<kelpo::FindDisk> MakePosixFindDisk();
#endif

namespace {

using namespace kelpo;

class PrintingSink : public FindSink {
public:
    PrintingSink(bool list, std::chrono::steady_clock::time_point start) : list_(list), start_(start) {}
    void Result(const FindResult& result) override {
        if (firstResultMs_ < 0) {
            firstResultMs_ = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - start_)
                                 .count();
        }
        if (!list_) return;
        std::string line = Utf16ToUtf8(FormatResultLine(result, u"binary file matches"));
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    void Progress(const std::wstring&) override {}
    void Finished(const FindTotals&) override {}

    // Milliseconds from the start to the first result; -1 without results.
    long long FirstResultMs() const { return firstResultMs_; }

private:
    bool list_;
    std::chrono::steady_clock::time_point start_;
    long long firstResultMs_ = -1;
};

std::wstring WideFromUtf16(std::u16string_view text) {
    std::wstring wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if constexpr (sizeof(wchar_t) == 2) {
            wide += static_cast<wchar_t>(unit);
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                   text[i + 1] <= 0xDFFF) {
            wide += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            wide += static_cast<wchar_t>(unit);
        }
    }
    return wide;
}

// Latin-1 stands in for the system code page where there is none.
AnsiCodePage BenchCodePage() {
#ifdef _WIN32
    return SystemAnsiCodePage();
#else
    return AnsiCodePage{
        [](std::string_view ansi) -> std::optional<std::u16string> {
            return std::u16string(ansi.begin(), ansi.end());
        },
        [](std::u16string_view utf16) -> std::optional<std::string> {
            std::string bytes;
            for (char16_t unit : utf16) {
                if (unit >= 0x100) return std::nullopt;
                bytes += static_cast<char>(unit);
            }
            return bytes;
        },
    };
#endif
}

int Usage() {
    std::fputs("usage: kelpo_find_bench FOLDER PATTERN [--filter LIST] [--no-subfolders] [--case] [--word] [--list]\n",
               stderr);
    return 2;
}

int Run(const std::vector<std::u16string>& args) {
    FindRequest request;
    bool list = false;
    std::vector<std::u16string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == u"--filter" && i + 1 < args.size()) request.filter = WideFromUtf16(args[++i]);
        else if (args[i] == u"--no-subfolders") request.subfolders = false;
        else if (args[i] == u"--case") request.matchCase = true;
        else if (args[i] == u"--word") request.wholeWord = true;
        else if (args[i] == u"--list") list = true;
        else if (args[i].starts_with(u"--")) return Usage();
        else positional.push_back(args[i]);
    }
    if (positional.size() != 2) return Usage();
    request.folder = WideFromUtf16(positional[0]);
    request.text = positional[1];

#ifdef _WIN32
    std::unique_ptr<FindDisk> disk = std::make_unique<WindowsFindDisk>();
#else
    std::unique_ptr<FindDisk> disk = MakePosixFindDisk();
#endif
    FindServices services{*disk, BenchCodePage(), {}};
    if (const FindError error = CheckFindRequest(request, services.ansi); error != FindError::None) {
        std::fprintf(stderr, "kelpo_find_bench: error: %s\n", FindErrorDescription(error));
        return 1;
    }
    // Fully buffered even when stdout is a device, where the C library would write line by line.
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    std::atomic<bool> stop{false};
    const auto start = std::chrono::steady_clock::now();
    PrintingSink sink(list, start);
    const FindTotals totals = FindInFiles(request, services, sink, stop);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    // On standard error, so that the result lines and the last line stay as they are.
    std::fprintf(stderr, "first result after %lld ms\n", sink.FirstResultMs());
    std::printf("matching lines %llu, files with matches %llu, files searched %llu, bytes %llu, ms %lld\n",
                static_cast<unsigned long long>(totals.matchingLines),
                static_cast<unsigned long long>(totals.filesWithMatches),
                static_cast<unsigned long long>(totals.filesSearched),
                static_cast<unsigned long long>(totals.bytesSearched), static_cast<long long>(ms));
    return 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // line ends as the pane gets them
    std::vector<std::u16string> args;
    for (int i = 0; i < argc; ++i) {
        const std::wstring_view arg = argv[i];
        args.emplace_back(arg.begin(), arg.end());
    }
    return Run(args);
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 0; i < argc; ++i) args.push_back(Utf8ToUtf16(argv[i]));
    return Run(args);
}
#endif
