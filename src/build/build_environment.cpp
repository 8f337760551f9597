// Composing the environment block of one configuration from gathered inputs, with the size
// checks process creation needs.
#include "build/build_environment.h"

#include <string_view>

#include "build/build_configuration.h"

namespace kelpo {
namespace {

// Variable names are ASCII in practice; anything else shows as "?" in the ANSI error line.
std::string AsciiName(std::wstring_view name) {
    std::string ascii;
    for (wchar_t c : name) {
        ascii += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    return ascii;
}

class BlockWriter {
public:
    // False (and the error set) when the string or the block would pass the limits.
    bool Add(std::wstring_view name, std::wstring_view value) {
        if (!error_.empty()) {
            return false;
        }
        const std::size_t length = name.size() + 1 + value.size();
        if (length > kMaxEnvironmentString) {
            Fail(name, length, kMaxEnvironmentString, "variable");
            return false;
        }
        if (block_.size() + length + 2 > kMaxEnvironmentBlock) {
            Fail(name, block_.size() + length + 2, kMaxEnvironmentBlock, "environment");
            return false;
        }
        block_.append(name).append(L"=").append(value).push_back(L'\0');
        return true;
    }

    BuildEnvironment Finish(std::wstring configurationName) && {
        BuildEnvironment result;
        result.configurationName = std::move(configurationName);
        if (!error_.empty()) {
            result.error = std::move(error_);
            return result;
        }
        block_.push_back(L'\0');
        result.block = std::move(block_);
        return result;
    }

private:
    void Fail(std::wstring_view name, std::size_t length, std::size_t limit, const char* what) {
        error_ = "Error : " + AsciiName(name) + ": the " + what + " would hold " + std::to_string(length) +
                 " characters, more than the " + std::to_string(limit) + " a process can be given\n";
    }

    std::wstring block_;
    std::string error_;
};

const std::wstring* Find(const EnvironmentInputs& inputs, const wchar_t* key) {
    const auto found = inputs.toolValues.find(key);
    return found != inputs.toolValues.end() ? &found->second : nullptr;
}

// ";" and the value when the key was found, else nothing.
std::wstring Separated(const EnvironmentInputs& inputs, const wchar_t* key) {
    const std::wstring* value = key != nullptr ? Find(inputs, key) : nullptr;
    return value != nullptr ? L";" + *value : std::wstring();
}

const wchar_t* BinKey(unsigned arch, bool host64) {
    switch (arch) {
    case kArchX86:
        return L"BIN_X86";
    case kArchX64:
        return host64 ? L"BIN_X64" : L"BIN_X86X64";
    case kArchArm64:
        return L"BIN_ARM64";
    case kArchArm:
        return L"BIN_ARM";
    default:
        return nullptr;
    }
}

const wchar_t* LibKey(unsigned arch) {
    switch (arch) {
    case kArchX86:
        return L"LIB_X86";
    case kArchX64:
        return L"LIB_X64";
    case kArchArm64:
        return L"LIB_ARM64";
    case kArchArm:
        return L"LIB_ARM";
    default:
        return nullptr;
    }
}

std::wstring WithoutTrailingBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() == L'\\') {
        folder.pop_back();
    }
    return folder;
}

}  // namespace

std::vector<std::wstring> ToolValueKeys() {
    return {L"BIN_X86", L"BIN_X64", L"BIN_X86X64", L"BIN_ARM64", L"BIN_ARM", L"INCLUDE", L"LIB_X86",
            L"LIB_X64", L"LIB_ARM64", L"LIB_ARM", L"DDK_INC", L"DDK_LIB"};
}

BuildEnvironment ComposeEnvironmentBlock(unsigned code, const EnvironmentInputs& inputs) {
    const std::wstring name = ConfigurationName(code);
    const ToolDef* tool = ToolOf(code);
    if (name.empty() || tool == nullptr) {
        return {};
    }
    const unsigned arch = ArchOf(code);
    const std::wstring archName = ArchitectureName(arch);
    const std::wstring programFolder = WithoutTrailingBackslash(inputs.programFolder);

    BlockWriter writer;
    writer.Add(L"TarvikDir", programFolder);
    writer.Add(L"BuildTool", tool->id);
    writer.Add(L"BuildArch", archName);
    writer.Add(L"BuildType", TypeName(TypeOf(code)));
    writer.Add(L"IntDir", name);
    writer.Add(L"OutputRoot", inputs.outputRoot);
    writer.Add(L"Tmp", inputs.tempFolder);
    writer.Add(L"Temp", inputs.tempFolder);
    if (inputs.processorArchitecture) {
        writer.Add(L"PROCESSOR_ARCHITECTURE", *inputs.processorArchitecture);
    }
    if (inputs.systemDrive) {
        writer.Add(L"SystemDrive", *inputs.systemDrive);
    }
    writer.Add(L"SystemRoot", inputs.windowsFolder);

    std::wstring path = programFolder + Separated(inputs, BinKey(arch, inputs.host64));
    if (!inputs.globalBin.empty()) {
        path += L";" + inputs.globalBin;
    }
    writer.Add(L"Path", path);

    const std::wstring* include = Find(inputs, L"INCLUDE");
    std::wstring includes = include != nullptr ? *include : std::wstring();
    if (!inputs.globalInclude.empty()) {
        includes += L";" + inputs.globalInclude;
    }
    writer.Add(L"INCLUDE", includes);
    writer.Add(L"LIB", inputs.outputRoot + L"\\lib\\" + tool->id + L"_" + archName + Separated(inputs, LibKey(arch)));
    for (const wchar_t* key : {L"DDK_INC", L"DDK_LIB"}) {
        if (Find(inputs, key) != nullptr) {
            writer.Add(key, Separated(inputs, key));
        }
    }
    for (const std::wstring& line : inputs.variables) {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring::npos || equals == 0 || equals + 1 == line.size()) {
            continue;
        }
        writer.Add(std::wstring_view(line).substr(0, equals), std::wstring_view(line).substr(equals + 1));
    }
    return std::move(writer).Finish(name);
}

}  // namespace kelpo
