// The seam to the system ANSI code page: loading and saving call through it so
// that the conversions around it stay free of the operating system.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

// Both functions must be set. Either returns nothing when the system
// conversion failed; a save must then fail rather than write a shortened file.
struct AnsiCodePage {
    std::function<std::optional<std::u16string>(std::string_view ansi)> toUtf16;
    std::function<std::optional<std::string>(std::u16string_view utf16)> fromUtf16;
};

}  // namespace kelpo
