// The seam to the system ANSI code page: loading and saving call through it so
// that the conversions around it stay free of the operating system.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

// Both functions must be set. toUtf16 returns nothing when the system conversion failed;
// fromUtf16 also when a character has no form of its own in the code page (it would be
// written as "?" or as a look-alike), so a save never changes the text behind the user's back.
struct AnsiCodePage {
    std::function<std::optional<std::u16string>(std::string_view ansi)> toUtf16;
    std::function<std::optional<std::string>(std::u16string_view utf16)> fromUtf16;
};

}  // namespace kelpo
