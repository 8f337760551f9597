// A Latin-1 stand-in for the system ANSI code page, and one that always fails.
#pragma once

#include "doc/ansi_code_page.h"

namespace kelpo::testing_support {

inline AnsiCodePage Latin1CodePage() {
    return AnsiCodePage{
        [](std::string_view ansi) -> std::optional<std::u16string> {
            std::u16string units;
            for (char c : ansi) units += static_cast<char16_t>(static_cast<unsigned char>(c));
            return units;
        },
        [](std::u16string_view utf16) -> std::optional<std::string> {
            std::string bytes;
            for (char16_t u : utf16) {
                if (u >= 0x100) return std::nullopt;  // no form in this code page
                bytes += static_cast<char>(u);
            }
            return bytes;
        },
    };
}

inline AnsiCodePage FailingCodePage() {
    return AnsiCodePage{
        [](std::string_view) -> std::optional<std::u16string> { return std::nullopt; },
        [](std::u16string_view) -> std::optional<std::string> { return std::nullopt; },
    };
}

}  // namespace kelpo::testing_support
