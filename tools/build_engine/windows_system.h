// The build engine's world on Windows: files through the wide file functions, programs through
// CreateProcessW with their output on a pipe, lines to standard output. Texts are in the ANSI code
// page, like build.tvk and the output the editor reads.
#pragma once

#include "engine_system.h"

namespace kelpo::engine {

class WindowsSystem : public EngineSystem {
public:
    bool ReadFile(const std::string& path, std::string& bytes) override;
    bool WriteFileIfChanged(const std::string& path, const std::string& bytes) override;
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool MakeFolders(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool CopyFileIfChanged(const std::string& from, const std::string& to) override;
    bool Run(const std::string& commandLine, const std::string& folder,
             const std::function<void(std::string_view)>& onLine, int& exitCode) override;
    void Print(std::string_view line) override;
    std::string Environment(const std::string& name) override;
};

std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

}  // namespace kelpo::engine
