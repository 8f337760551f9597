// The message a second start sends to the running instance: its current directory and command line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kelpo {

struct HandOver {
    std::wstring directory;
    std::wstring commandLine;
};

// The zero-filled block sent with WM_COPYDATA: lstrlenW(commandLine) * 2 + 522 bytes holding the
// directory (at most 259 characters), its zero, the command line and its zero.
std::vector<unsigned char> BuildHandOverBlock(const std::wstring& directory, const std::wstring& commandLine);

// Reads a received block. Nothing is read beyond `size` bytes; a block whose two strings are not
// both terminated inside it is refused.
std::optional<HandOver> ReadHandOverBlock(const void* data, std::size_t size);

}  // namespace kelpo
