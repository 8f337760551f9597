// One line of ctags output parsed into a symbol of the symbol list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "aids/symbol_kinds.h"

namespace kelpo {

struct Symbol {
    SymbolKind kind = SymbolKind::Unknown;
    std::string name;                    // ANSI code page bytes, as ctags writes them
    std::optional<std::string> scope;    // the "class", "struct" or "union" field
    std::optional<std::string> pattern;  // the text of a "/^...$/" address
    std::uint32_t line = 0;              // 1-based; 0 when ctags gave none
};

// Tree items keep the line in the low 24 bits of their value, beside the kind.
inline constexpr std::uint32_t kMaxSymbolLine = 0xFFFFFF;

// The symbol of one tag line (without its line end) in a document of the catalogue language; nothing
// for a pseudo-tag ("!_TAG_...") or a malformed line.
std::optional<Symbol> ParseTagLine(std::string_view line, int language);

}  // namespace kelpo
