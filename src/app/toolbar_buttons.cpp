// Main toolbar button lists.
#include "app/toolbar_buttons.h"

#include <array>

namespace kelpo {
namespace {

constexpr ToolbarButton kSeparator{};

constexpr std::array<ToolbarButton, 33> kMainTable = {{
    {0, 2, true}, {1, 3}, {2, 8}, {3, 10}, kSeparator,
    {4, 31}, {5, 32}, kSeparator,
    {6, 33}, {7, 34}, {8, 35}, kSeparator,
    {11, 141}, {12, 142}, {13, 147}, kSeparator,
    {17, 90}, {18, 91}, {19, 92}, {20, 93}, {21, 94}, {22, 95}, {23, 96}, kSeparator,
    {31, 183, true}, {9, 104}, {10, 102}, {32, 192}, {16, 98}, {28, 181}, {36, 191},
}};

}  // namespace

std::span<const ToolbarButton> MainToolbarTable() { return std::span<const ToolbarButton>(kMainTable.data(), 31); }

std::vector<ToolbarButton> DefaultMainToolbar() {
    const auto table = MainToolbarTable();
    return std::vector<ToolbarButton>(table.begin(), table.begin() + 30);
}

std::vector<ToolbarButton> ParseToolbarButtons(std::wstring_view text, std::span<const ToolbarButton> table,
                                               const std::vector<ToolbarButton>& defaults) {
    constexpr std::size_t kMaxItems = 64;
    std::vector<ToolbarButton> buttons;
    std::size_t pos = 0;
    std::size_t items = 0;
    while (pos < text.size() && items < kMaxItems) {
        const std::size_t end = std::min(text.find(L' ', pos), text.size());
        const std::wstring_view item = text.substr(pos, end - pos);
        pos = end + 1;
        if (item.empty()) {
            continue;
        }
        ++items;
        if (item == L"|") {
            buttons.push_back(kSeparator);
            continue;
        }
        int command = 0;
        bool digits = true;
        for (wchar_t c : item) {
            digits = digits && c >= L'0' && c <= L'9' && command < 100000;
            command = command * 10 + (c - L'0');
        }
        if (!digits) {
            continue;
        }
        for (const ToolbarButton& button : table) {
            if (button.command == command && command != 0) {
                buttons.push_back(button);
                break;
            }
        }
    }
    bool anyButton = false;
    for (const ToolbarButton& button : buttons) {
        anyButton = anyButton || button.command != 0;
    }
    return anyButton ? buttons : defaults;
}

std::wstring FormatToolbarButtons(const std::vector<ToolbarButton>& buttons) {
    std::wstring text;
    for (const ToolbarButton& button : buttons) {
        if (!text.empty()) {
            text += L' ';
        }
        text += button.command == 0 ? std::wstring(L"|") : std::to_wstring(button.command);
    }
    return text;
}

std::wstring ToolTipFromMenuText(std::wstring_view menuText) {
    std::wstring tip;
    for (wchar_t c : menuText) {
        if (c == L'(') {
            break;
        }
        if (c == L'&') {
            continue;
        }
        tip += c == L'\t' ? L' ' : c;
    }
    return tip;
}

}  // namespace kelpo
