// The floor for the Find in Files benchmark: the same walk and the same file reads, no searching.
//   kelpo_find_floor FOLDER [--filter LIST] [--no-subfolders]
// Prints "files S, bytes B, ms T".
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "aids/find_file_walk.h"

#ifdef _WIN32
#include "aids/find_disk_win.h"
#else
#include "base/text_conversion.h"
// find_bench_posix_disk.cpp
std::unique_ptr<kelpo::FindDisk> MakePosixFindDisk();
#endif

namespace {

using namespace kelpo;

int Run(const std::vector<std::wstring>& args) {
    std::wstring folder;
    std::wstring filter;
    bool subfolders = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--filter" && i + 1 < args.size()) filter = args[++i];
        else if (args[i] == L"--no-subfolders") subfolders = false;
        else folder = args[i];
    }
    if (folder.empty()) {
        std::fputs("usage: kelpo_find_floor FOLDER [--filter LIST] [--no-subfolders]\n", stderr);
        return 2;
    }
#ifdef _WIN32
    std::unique_ptr<FindDisk> disk = std::make_unique<WindowsFindDisk>();
#else
    std::unique_ptr<FindDisk> disk = MakePosixFindDisk();
#endif
    std::vector<char> buffer(128 * 1024);  // as large as the search reads
    unsigned long long files = 0;
    unsigned long long total = 0;
    const auto start = std::chrono::steady_clock::now();
    WalkFolder(*disk, folder, std::wstring_view(filter), subfolders, [&](const FolderEntry&, const std::wstring& path) {
        ++files;
        if (const std::unique_ptr<FindFile> file = disk->OpenFile(path)) {
            std::ptrdiff_t count = 0;
            while ((count = file->Read(buffer.data(), buffer.size())) > 0) {
                total += static_cast<unsigned long long>(count);
            }
        }
        return true;
    });
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("files %llu, bytes %llu, ms %lld\n", files, total, static_cast<long long>(ms));
    return 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Run(std::vector<std::wstring>(argv, argv + argc)); }
#else
int main(int argc, char** argv) {
    std::vector<std::wstring> args;
    for (int i = 0; i < argc; ++i) {
        const std::u16string units = Utf8ToUtf16(argv[i]);
        args.emplace_back(units.begin(), units.end());  // paths of the benchmark tree are ASCII
    }
    return Run(args);
}
#endif
