// The tool table, the configuration codes and their text forms, and the configuration list parser.
#include "build/build_configuration.h"

#include <array>

namespace kelpo {
namespace {

constexpr ToolDef Tool(std::uint32_t index, const wchar_t* id, const wchar_t* name, std::uint32_t toolset,
                       std::uint32_t year, std::uint32_t archFlags) {
    return ToolDef{toolset, year, id, name, index, 0x8000 + index * 0x100, archFlags, index};
}

constexpr std::array<ToolDef, 11> kTools = {
    Tool(0, L"vc6", L"Visual C++ 6.0", 60, 1998, 0),
    Tool(1, L"vc2003", L"Visual C++ 2003", 71, 2003, 0),
    Tool(2, L"vc2005", L"Visual C++ 2005", 80, 2005, kArchX64),
    Tool(3, L"vc2008", L"Visual C++ 2008", 90, 2008, kArchX64),
    Tool(4, L"vc2010", L"Visual C++ 2010", 100, 2010, kArchX64),
    Tool(5, L"vc2012", L"Visual C++ 2012", 110, 2012, kArchX64),
    Tool(6, L"vc2013", L"Visual C++ 2013", 120, 2013, kArchX64),
    Tool(7, L"vc2015", L"Visual C++ 2015", 140, 2015, kArchX64 | kArchArm64),
    Tool(8, L"vc2017", L"Visual C++ 2017", 141, 2017, kArchX64 | kArchArm64),
    Tool(9, L"vc2019", L"Visual C++ 2019", 142, 2019, kArchX64 | kArchArm64 | kArchArm),
    Tool(10, L"vc2022", L"Visual C++ 2022", 143, 2022, kArchX64 | kArchArm64),
};

constexpr unsigned kArchOrder[] = {kArchX86, kArchX64, kArchArm64, kArchArm};

bool Offers(const ToolDef& tool, unsigned arch) { return arch == kArchX86 || (tool.archFlags & arch) != 0; }

// Architecture bits of a lower-case name, or -1.
int ArchOfName(std::wstring_view name) {
    for (unsigned arch : kArchOrder) {
        if (name == ArchitectureName(arch)) {
            return static_cast<int>(arch);
        }
    }
    return -1;
}

int TypeOfName(std::wstring_view name) {
    if (name == L"debug") {
        return kTypeDebug;
    }
    return name == L"release" ? static_cast<int>(kTypeRelease) : -1;
}

// The architectures a type-only or whole-tool item builds: x64 always (even for tools without
// it), ARM64 and ARM only where offered.
std::vector<unsigned> ListedArchitectures(const ToolDef& tool) {
    std::vector<unsigned> archs = {kArchX86, kArchX64};
    for (unsigned arch : {kArchArm64, kArchArm}) {
        if (Offers(tool, arch)) {
            archs.push_back(arch);
        }
    }
    return archs;
}

void ParseItem(std::wstring_view item, const std::wstring& list, const BadPairReport& report,
               std::vector<unsigned>& codes) {
    std::wstring_view parts[3];
    std::size_t count = 0;
    while (count < 2) {
        const std::size_t cut = item.find(L'_');
        if (cut == std::wstring_view::npos) {
            break;
        }
        parts[count++] = item.substr(0, cut);
        item.remove_prefix(cut + 1);
    }
    parts[count++] = item;

    const ToolDef* tool = FindTool(parts[0]);
    if (tool == nullptr) {
        return;
    }
    const unsigned base = tool->index << 8;
    if (count == 1) {
        for (unsigned type : {kTypeDebug, kTypeRelease}) {
            for (unsigned arch : ListedArchitectures(*tool)) {
                codes.push_back(base | arch | type);
            }
        }
    } else if (count == 2) {
        if (const int arch = ArchOfName(parts[1]); arch >= 0) {
            codes.push_back(base | static_cast<unsigned>(arch) | kTypeDebug);
            codes.push_back(base | static_cast<unsigned>(arch) | kTypeRelease);
        } else if (const int type = TypeOfName(parts[1]); type >= 0) {
            for (unsigned each : ListedArchitectures(*tool)) {
                codes.push_back(base | each | static_cast<unsigned>(type));
            }
        }
    } else {
        const bool archFirst = ArchOfName(parts[1]) >= 0;
        const std::wstring_view archPart = archFirst ? parts[1] : parts[2];
        const std::wstring_view typePart = archFirst ? parts[2] : parts[1];
        const int arch = ArchOfName(archPart);
        const int type = TypeOfName(typePart);
        if (arch < 0 || type < 0) {
            if (report) {
                report(std::wstring(archPart) + L"_" + std::wstring(typePart), list);
            }
            return;
        }
        codes.push_back(base | static_cast<unsigned>(arch) | static_cast<unsigned>(type));
    }
}

}  // namespace

std::span<const ToolDef> ToolTable() { return kTools; }

const ToolDef* ToolOf(unsigned code) {
    const unsigned index = ToolIndexOf(code);
    return index < kTools.size() ? &kTools[index] : nullptr;
}

const ToolDef* FindTool(std::wstring_view id) {
    for (const ToolDef& tool : kTools) {
        if (id == tool.id) {
            return &tool;
        }
    }
    return nullptr;
}

std::wstring ArchitectureName(unsigned arch) {
    switch (arch) {
    case kArchX86:
        return L"x86";
    case kArchX64:
        return L"x64";
    case kArchArm64:
        return L"arm64";
    case kArchArm:
        return L"arm";
    default:
        return L"unknown";
    }
}

std::wstring TypeName(unsigned type) {
    switch (type) {
    case kTypeDebug:
        return L"debug";
    case kTypeRelease:
        return L"release";
    case kTypeAll:
        return L"all";
    default:
        return {};
    }
}

std::wstring ConfigurationName(unsigned code) {
    const ToolDef* tool = ToolOf(code);
    const unsigned type = TypeOf(code);
    if (tool == nullptr || (type != kTypeDebug && type != kTypeRelease)) {
        return {};
    }
    return std::wstring(tool->id) + L"_" + ArchitectureName(ArchOf(code)) + L"_" + TypeName(type);
}

std::vector<unsigned> ConfigurationsOfTool(const ToolDef& tool) {
    std::vector<unsigned> codes;
    for (unsigned arch : kArchOrder) {
        if (Offers(tool, arch)) {
            codes.push_back(tool.codeBase | arch | kTypeDebug);
            codes.push_back(tool.codeBase | arch | kTypeRelease);
        }
    }
    return codes;
}

namespace {

std::wstring LabelArch(unsigned arch) {
    switch (arch) {
    case kArchX86:
        return L"x86";
    case kArchX64:
        return L"x64";
    case kArchArm64:
        return L"ARM64";
    case kArchArm:
        return L"ARM";
    default:
        return L"unknown";
    }
}

}  // namespace

std::wstring BoxLabel(unsigned code) {
    const ToolDef* tool = ToolOf(code);
    const std::wstring type = TypeOf(code) == kTypeDebug ? L"Debug" : L"Release";
    return std::wstring(tool != nullptr ? tool->displayName : L"") + L" " + LabelArch(ArchOf(code)) + L" " + type;
}

std::wstring MenuLabel(unsigned code) {
    return LabelArch(ArchOf(code)) + L" " + (TypeOf(code) == kTypeDebug ? L"debug" : L"release");
}

ConfigurationList ParseConfigurationList(std::wstring_view text, const BadPairReport& report) {
    ConfigurationList result;
    if (text.size() > kMaxConfigurationListChars) {
        result.tooLong = true;
        return result;
    }
    const std::wstring list(text);
    std::wstring folded;
    for (wchar_t c : text) {
        folded += c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    }
    std::size_t start = 0;
    while (start < folded.size()) {
        const std::size_t end = folded.find(L'/', start);
        const std::size_t stop = end == std::wstring::npos ? folded.size() : end;
        ParseItem(std::wstring_view(folded).substr(start, stop - start), list, report, result.codes);
        start = stop + 1;
    }
    if (result.codes.size() > kMaxConfigurationCodes) {
        result.codes.resize(kMaxConfigurationCodes);
        result.tooMany = true;
    }
    return result;
}

}  // namespace kelpo
