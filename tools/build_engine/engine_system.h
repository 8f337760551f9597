// Everything the build engine asks of the world, so its logic runs on plain strings in tests: files,
// folders, the programs it starts and the lines it prints. Paths are 8-bit Windows paths.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kelpo::engine {

class EngineSystem {
public:
    virtual ~EngineSystem() = default;

    virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
    // Leaves a file whose bytes are already these alone.
    virtual bool WriteFileIfChanged(const std::string& path, const std::string& bytes) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // The folder and every missing parent.
    virtual bool MakeFolders(const std::string& path) = 0;
    // The folder with everything in it; true when it is gone afterwards (or was never there).
    virtual bool RemoveFolder(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Copies unless the target already holds the same bytes.
    virtual bool CopyFileIfChanged(const std::string& from, const std::string& to) = 0;
    // Runs a command line in a folder with this program's environment; every line the program
    // writes to its standard output or error goes to `onLine` without its line end. False when it
    // could not be started.
    virtual bool Run(const std::string& commandLine, const std::string& folder,
                     const std::function<void(std::string_view)>& onLine, int& exitCode) = 0;
    // One line of this program's own output.
    virtual void Print(std::string_view line) = 0;
    // An environment variable of this program, "" when absent.
    virtual std::string Environment(const std::string& name) = 0;
};

}  // namespace kelpo::engine
