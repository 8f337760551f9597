// Gathering the inputs of the environment block on this machine.
#include <windows.h>

#include "base/app_state.h"
#include "build/build_configuration.h"
#include "build/build_environment.h"
#include "build/tarvik_settings.h"
#include "build/tool_values.h"

namespace kelpo {
namespace {

std::optional<std::wstring> OwnVariable(const wchar_t* name) {
    wchar_t value[261] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, 261);
    if (length == 0 || length > 260) {
        return std::nullopt;
    }
    return std::wstring(value, length);
}

bool Host64() {
    SYSTEM_INFO info{};
    ::GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
}

}  // namespace

EnvironmentInputs GatherEnvironmentInputs(unsigned code, const std::wstring& programFolder) {
    EnvironmentInputs inputs;
    inputs.programFolder = programFolder;
    const ToolDef* tool = ToolOf(code);
    if (tool == nullptr) {
        return inputs;
    }
    inputs.outputRoot = ReadTarvikSetting(programFolder, L"OutputRoot");
    inputs.globalBin = ReadTarvikSetting(programFolder, L"GlobalBin");
    inputs.globalInclude = ReadTarvikSetting(programFolder, L"GlobalInclude");
    inputs.variables = ReadTarvikSection(programFolder, L"Variable");
    const std::wstring archName = ArchitectureName(ArchOf(code));
    for (const std::wstring& key : ToolValueKeys()) {
        if (auto value = ReadToolValue(programFolder, tool->id, archName, key.c_str(), false)) {
            inputs.toolValues.emplace(key, std::move(*value));
        }
    }
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD tempLength = ::GetTempPathW(MAX_PATH + 1, folder);
    inputs.tempFolder.assign(folder, tempLength <= MAX_PATH ? tempLength : 0);
    const UINT windowsLength = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
    inputs.windowsFolder.assign(folder, windowsLength <= MAX_PATH ? windowsLength : 0);
    inputs.host64 = Host64();
    inputs.processorArchitecture = OwnVariable(L"PROCESSOR_ARCHITECTURE");
    inputs.systemDrive = OwnVariable(L"SystemDrive");
    return inputs;
}

BuildEnvironment ComposeEnvironment(unsigned code) {
    if (ConfigurationName(code).empty()) {
        return {};
    }
    const std::wstring& folder = App().paths.folder;
    return ComposeEnvironmentBlock(code, GatherEnvironmentInputs(code, folder));
}

}  // namespace kelpo
