// The compiler generations the build front end drives, the 16-bit code that names one build
// configuration (tool, architecture, type), its text forms and the parser of typed lists.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

struct ToolDef {
    std::uint32_t toolset;
    std::uint32_t year;
    const wchar_t* id;           // also the tool's sub-folder of the program folder
    const wchar_t* displayName;
    std::uint32_t index;         // 0-10
    std::uint32_t codeBase;      // 0x8000 + index * 0x100
    std::uint32_t archFlags;     // architectures besides x86: kArchX64, kArchArm64, kArchArm
    std::uint32_t imageIndex;    // the tool's image in the build toolbar's image list
};

inline constexpr unsigned kConfigFromTable = 0x8000;  // codes taken from the tool table
inline constexpr unsigned kArchX86 = 0x00;
inline constexpr unsigned kArchX64 = 0x10;
inline constexpr unsigned kArchArm64 = 0x20;
inline constexpr unsigned kArchArm = 0x40;
inline constexpr unsigned kTypeDebug = 0;
inline constexpr unsigned kTypeRelease = 1;
inline constexpr unsigned kTypeAll = 2;

constexpr unsigned ToolIndexOf(unsigned code) { return (code >> 8) & 0x7F; }
constexpr unsigned ArchOf(unsigned code) { return code & 0xF0; }
constexpr unsigned TypeOf(unsigned code) { return code & 0x0F; }
constexpr unsigned MakeConfigurationCode(unsigned toolIndex, unsigned arch, unsigned type) {
    return kConfigFromTable | (toolIndex << 8) | arch | type;
}

// The eleven generations in table order, which is the order of every list, menu and box.
std::span<const ToolDef> ToolTable();
// The tool of a code, or null when its index is past the table.
const ToolDef* ToolOf(unsigned code);
const ToolDef* FindTool(std::wstring_view id);

// "x86", "x64", "arm64", "arm", or "unknown" for other architecture bits.
std::wstring ArchitectureName(unsigned arch);
// "debug", "release", "all"; empty for another type.
std::wstring TypeName(unsigned type);
// "vc2022_x64_debug"; empty for a type other than debug/release or a tool past the table.
std::wstring ConfigurationName(unsigned code);

// The tool's configurations in offering order: x86 debug, x86 release, then x64, ARM64 and ARM
// pairs where the tool offers them. Codes carry bit 15.
std::vector<unsigned> ConfigurationsOfTool(const ToolDef& tool);
// " x64 Release" after the display name for the combo box; "x64 release" for menu items.
std::wstring BoxLabel(unsigned code);
std::wstring MenuLabel(unsigned code);

inline constexpr std::size_t kMaxConfigurationListChars = 258;
inline constexpr std::size_t kMaxConfigurationCodes = 24;

// Called with the pair and the whole list when an item has two parts that are no configuration.
using BadPairReport = std::function<void(const std::wstring& pair, const std::wstring& list)>;

struct ConfigurationList {
    std::vector<unsigned> codes;  // without bit 15, in item order, duplicates kept
    bool tooLong = false;         // the text was longer than kMaxConfigurationListChars: nothing parsed
    bool tooMany = false;         // more than kMaxConfigurationCodes resulted: the list is cut there
};

// A "/"-separated list of "tool", "tool_arch", "tool_type", "tool_arch_type" or "tool_type_arch"
// items, without regard to case. A text past the limit is refused whole rather than cut inside an
// item, which could build a configuration the user never named; codes past 24 are dropped.
ConfigurationList ParseConfigurationList(std::wstring_view text, const BadPairReport& report);

}  // namespace kelpo
