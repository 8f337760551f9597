// Converting a Visual Studio project, workspace or solution into "build.tvk" files. Window-free:
// files are reached through ConvertFileAccess and everything the user sees goes to ConvertReports,
// so the console command and the windowed editor each show it their way.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "build/text_sink.h"

namespace kelpo {

struct ConvertFileAccess {
    // The whole file, or nothing when it cannot be read.
    std::function<std::optional<std::string>(const std::wstring& path)> read;
    std::function<bool(const std::wstring& path)> exists;
    // Puts the bytes on disk as the whole file or leaves it as it was; false on failure.
    std::function<bool(const std::wstring& path, std::string_view bytes)> write;
    // Between the 8-bit texts of project files and messages and the program's paths.
    std::function<std::wstring(std::string_view text)> fromAnsi;
    std::function<std::string(std::wstring_view text)> toAnsi;
};

struct ConvertReports {
    TextSink output;  // progress and per-member errors, whole lines
    // Whether an existing output file may be replaced; without an answer it stays.
    std::function<bool(const std::wstring& outputPath)> askOverwrite;
    // A project that cannot be converted; shown as an error the user must acknowledge.
    std::function<void(const std::string& message)> showError;
};

// Chooses by the extension after the last ".", compared exactly: "dsw" a workspace, "sln" a
// solution, "vcxproj", "vcproj" or "dsp" a project whose "build.tvk" goes beside it. A member of
// a workspace or solution gets its own file, its path with the extension "tvk", and two or more
// members also a folder list "build.tvk" beside the container. True when everything that names a
// project converted and the folder list, where one is due, was written.
bool ConvertFile(const std::wstring& path, const ConvertFileAccess& files, const ConvertReports& reports);

}  // namespace kelpo
