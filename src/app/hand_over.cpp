// Composition and reading of the single-instance hand-over block.
#include "app/hand_over.h"

#include <cstring>

namespace kelpo {
namespace {

constexpr std::size_t kMaxDirectoryChars = 259;
constexpr std::size_t kUnit = sizeof(char16_t);

void PutString(std::vector<unsigned char>& block, std::size_t& offset, const std::wstring& text) {
    for (wchar_t c : text) {
        const auto unit = static_cast<char16_t>(c);
        std::memcpy(block.data() + offset, &unit, kUnit);
        offset += kUnit;
    }
    offset += kUnit;  // the terminator is already zero
}

// The string at `offset` up to its terminator, or nothing when the block ends first.
std::optional<std::wstring> TakeString(const unsigned char* bytes, std::size_t size, std::size_t& offset) {
    std::wstring text;
    while (offset + kUnit <= size) {
        char16_t unit = 0;
        std::memcpy(&unit, bytes + offset, kUnit);
        offset += kUnit;
        if (unit == 0) {
            return text;
        }
        text += static_cast<wchar_t>(unit);
    }
    return std::nullopt;
}

}  // namespace

std::vector<unsigned char> BuildHandOverBlock(const std::wstring& directory, const std::wstring& commandLine) {
    std::vector<unsigned char> block(commandLine.size() * kUnit + 522, 0);
    std::size_t offset = 0;
    PutString(block, offset, directory.substr(0, kMaxDirectoryChars));
    PutString(block, offset, commandLine);
    return block;
}

std::optional<HandOver> ReadHandOverBlock(const void* data, std::size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t offset = 0;
    std::optional<std::wstring> directory = TakeString(bytes, size, offset);
    if (!directory) {
        return std::nullopt;
    }
    std::optional<std::wstring> commandLine = TakeString(bytes, size, offset);
    if (!commandLine) {
        return std::nullopt;
    }
    return HandOver{std::move(*directory), std::move(*commandLine)};
}

}  // namespace kelpo
