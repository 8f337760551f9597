// The 42 kinds of the symbol list, the kind mask a parse run filters with, and the one-letter kinds
// ctags writes, mapped per language.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelpo {

// The numbers are fixed: tree items carry them in their value and the mask has one bit per kind.
enum class SymbolKind : std::uint8_t {
    Unknown, Function, Procedure, Class, Macro, Enum, Filename, Enumname, Member, Prototype,
    Structure, Typedef, Union, Variable, Namespace, Method, Event, Interface, Property, Program,
    Constant, Label, Singleton, Mixin, Module, Net, Port, Register, Task, Cursor,
    Record, Subtype, Trigger, Set, Field, Table, Attribute, Component, Package, Entity,
    Architecture, Process,
};
inline constexpr int kSymbolKindCount = 42;

// The kind's name, which also labels its group node.
std::string_view KindName(SymbolKind kind);
// The kind's picture in the symbol pane's image list.
int KindImage(SymbolKind kind);

// Kind k passes when bit k is set: kinds 0-31 in the low word, 32-41 in the high word.
struct KindMask {
    std::uint32_t low = 0;
    std::uint32_t high = 0;

    static constexpr KindMask All() { return {0xFFFFFFFFu, (1u << (kSymbolKindCount - 32)) - 1}; }

    constexpr KindMask With(SymbolKind kind) const {
        const auto k = static_cast<unsigned>(kind);
        return k < 32 ? KindMask{low | (1u << k), high} : KindMask{low, high | (1u << (k - 32))};
    }

    constexpr bool Passes(SymbolKind kind) const {
        const auto k = static_cast<unsigned>(kind);
        if (k < 32) return (low >> k) & 1u;
        return k < static_cast<unsigned>(kSymbolKindCount) && ((high >> (k - 32)) & 1u);
    }
};

// The kind of ctags's one-letter kind in a document of that catalogue language; Unknown for letters
// the language does not map and for anything that is not an ASCII letter.
SymbolKind KindOfTagLetter(int language, char letter);

}  // namespace kelpo
