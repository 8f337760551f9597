// The main menu: a table of pop-ups and items turned into the menu bar, with the commands
// whose feature is still missing greyed.
#include "app/main_menu.h"

#include <algorithm>

#include "app/view_commands.h"
#include "base/handles.h"

namespace kelpo {
namespace {

using K = MenuRowKind;

constexpr MenuRow Item(int command, const wchar_t* text) { return {K::Item, command, text}; }
constexpr MenuRow Popup(const wchar_t* text) { return {K::Popup, 0, text}; }
constexpr MenuRow End() { return {K::End, 0, nullptr}; }
constexpr MenuRow Separator() { return {K::Separator, 0, nullptr}; }

constexpr MenuRow kRows[] = {
    Popup(L"&File"),
        Item(2, L"&New"), Item(3, L"&Open..."), Item(4, L"Open File at &Cursor"), Separator(),
        Item(5, L"&Close"), Item(6, L"Close &Others"), Item(7, L"Close A&ll"), Separator(),
        Item(8, L"&Save"), Item(9, L"Save &As..."), Item(10, L"Save A&ll"), Separator(),
        Item(18, L"Rena&me..."), Item(19, L"Read-Onl&y"), Item(29, L"Re&vert"), Item(28, L"&Delete to Recycle Bin"),
        Separator(),
        Item(20, L"Set as Active &Project"), Item(27, L"S&witch Source/Header"),
        Item(21, L"Show in File E&xplorer Pane"), Item(22, L"Show in &Windows Explorer"),
        Item(23, L"Open Command &Prompt Here"),
        Popup(L"Cop&y to Clipboard"),
            Item(24, L"Full &Path"), Item(25, L"&Folder"), Item(26, L"File &Name"),
        End(),
        Separator(),
        Item(11, L"Open Session..."), Item(12, L"Save Session As..."), Separator(),
        Popup(L"Recent &Files"), Item(14, L"Clear Recent Files"), End(),
        Popup(L"Recent P&rojects"), Item(16, L"Clear Recent Projects"), End(),
        Separator(),
        Item(17, L"E&xit"),
    End(),
    Popup(L"&Edit"),
        Item(31, L"&Undo"), Item(32, L"&Redo"), Separator(),
        Item(33, L"Cu&t"), Item(34, L"&Copy"), Item(35, L"&Paste"), Item(36, L"&Delete"),
        Item(37, L"Select &All"), Separator(),
        Popup(L"&Lines"),
            Item(39, L"Cut Line"), Item(40, L"Copy Line"), Item(41, L"Delete Line"),
            Item(42, L"Duplicate Selection"), Item(43, L"Transpose Lines"), Item(44, L"Move Lines Up"),
            Item(45, L"Move Lines Down"), Item(46, L"Split Lines"), Item(47, L"Join Lines"), Separator(),
            Item(48, L"Sort Lines..."), Item(71, L"Reverse Lines"), Item(53, L"Remove Duplicate Lines"),
        End(),
        Popup(L"&Blanks"),
            Item(49, L"Merge Blank Lines"), Item(50, L"Merge Empty Lines"), Item(51, L"Remove Blank Lines"),
            Item(52, L"Remove Empty Lines"), Separator(),
            Item(55, L"Trim Leading and Trailing Blanks"), Item(56, L"Trim Trailing Blanks"),
            Item(57, L"Trim Leading Blanks"), Item(58, L"Compress Blanks"), Separator(),
            Item(59, L"Tabs to Spaces"), Item(60, L"Spaces to Tabs"), Item(61, L"Leading Spaces to Tabs"),
        End(),
        Popup(L"C&ase"), Item(62, L"&Upper Case"), Item(63, L"&Lower Case"), End(),
        Popup(L"Co&mment"), Item(66, L"Toggle &Line Comment"), Item(67, L"&Block Comment"), End(),
        Popup(L"&Insert"), Item(64, L"&Colour..."), Item(65, L"&Date and Time"), End(),
        Separator(),
        Item(68, L"Show Call &Tip"), Item(69, L"Complete &API Word"), Item(70, L"Complete &Word"), Separator(),
        Item(151, L"Go to Matching &Brace"), Item(152, L"Select to Matching Brace"),
        Popup(L"Boo&kmarks"),
            Item(155, L"&Toggle Bookmark"), Item(156, L"&Next Bookmark"), Item(157, L"&Previous Bookmark"),
            Item(158, L"&Clear All Bookmarks"),
        End(),
    End(),
    Popup(L"&View"),
        Item(82, L"&Main Toolbar"), Item(83, L"&Build Toolbar"), Item(84, L"&Status Bar"),
        Item(85, L"&Lock Toolbars"), Separator(),
        Item(88, L"L&eft Pane"), Item(89, L"B&ottom Pane"), Item(87, L"&Hide All Panes"),
        Popup(L"Left Pane &Pages"),
            Item(90, L"File &Explorer"), Item(91, L"&Symbols"), Item(92, L"S&nippets"), Item(93, L"&Reference Help"),
        End(),
        Popup(L"Bottom Pane Pa&ges"),
            Item(94, L"&Output"), Item(95, L"Find Results &1"), Item(96, L"Find Results &2"),
        End(),
        Separator(),
        Item(98, L"&Full Screen"), Item(204, L"Always on &Top"), Item(205, L"&Reset Layout"), Separator(),
        Item(100, L"Line &Numbers"), Item(101, L"&White Space"), Item(102, L"Line En&ds"),
        Item(103, L"&Indentation Guides"), Item(104, L"&Word Wrap"),
        Popup(L"&Zoom"), Item(105, L"Zoom &In"), Item(106, L"Zoom &Out"), Item(107, L"&Reset Zoom"), End(),
        Popup(L"Fol&ding"),
            Item(108, L"&Toggle Fold"), Item(109, L"&Fold All"), Item(110, L"&Unfold All"), Separator(),
            Item(112, L"Fold Caret's Level"), Item(113, L"Fold Level 1"), Item(114, L"Fold Level 2"),
            Item(115, L"Fold Level 3"), Item(116, L"Fold Level 4"), Item(117, L"Fold Level 5"),
            Item(118, L"Fold Level 6"), Item(119, L"Fold Level 7"), Item(120, L"Fold Level 8"), Separator(),
            Item(122, L"Unfold Caret's Level"), Item(123, L"Unfold Level 1"), Item(124, L"Unfold Level 2"),
            Item(125, L"Unfold Level 3"), Item(126, L"Unfold Level 4"), Item(127, L"Unfold Level 5"),
            Item(128, L"Unfold Level 6"), Item(129, L"Unfold Level 7"), Item(130, L"Unfold Level 8"),
        End(),
        Separator(),
        Item(131, L"Lar&ge Toolbar Icons"), Item(132, L"&Customize Toolbar..."), Separator(),
        Item(183, L"Editor &Font..."), Item(kCmdChooseLanguage, L"&Language..."),
        Popup(L"T&hemes"), Item(kMenuThemeAnchor, L"Built-in"), End(),
        Popup(L"&Colour Mode"), Item(185, L"&Light"), Item(186, L"&Dark"), Item(187, L"Follow the &System"), End(),
    End(),
    Popup(L"&Search"),
        Item(141, L"&Find..."), Item(142, L"&Replace..."), Item(147, L"Find in F&iles..."), Separator(),
        Item(143, L"Find &Next"), Item(144, L"Find &Previous"), Item(145, L"Find &Word Next"),
        Item(146, L"Find W&ord Previous"), Separator(),
        Item(153, L"&Highlight Word"), Item(154, L"Remove High&lights"), Separator(),
        Item(148, L"&Go To..."), Item(149, L"Go to &Symbol..."), Item(150, L"Help on W&ord"),
    End(),
    Popup(L"&Build"),
        Item(161, L"&Build"), Item(162, L"&Rebuild"), Item(163, L"&Clean"), Item(165, L"Build &Variant"),
        Item(167, L"S&top Build"), Separator(),
        Item(164, L"&Debug"), Item(166, L"B&atch Build..."), Separator(),
        Popup(L"&User Commands"), Item(168, L"&Edit User Commands"), End(),
        Popup(L"A&utoBuild"), Item(170, L"&Edit AutoBuild Commands"), End(),
        Item(169, L"Con&vert Visual Studio Project..."), Separator(),
        Item(171, L"Build C&onsole"), Separator(), Item(172, L"Open tarvik.ini"), Item(173, L"Open build.xml"),
        Item(174, L"Open vc.mk"), Item(175, L"Open OutputRoot"),
    End(),
    Popup(L"&Tools"), Item(181, L"&Options..."), End(),
    Popup(L"F&avourites"), Item(191, L"&Add Current File"), Item(192, L"&Organize..."), End(),
    Popup(L"&Window"),
        Item(201, L"&Next Tab"), Item(202, L"&Previous Tab"), Item(203, L"&Back to Last Tab"),
        Item(206, L"&Windows..."),
    End(),
    Popup(L"&Help"), Item(218, L"Command-line &usage"), Item(217, L"&About Kelpo"), End(),
};

// Remove an identifier here when its feature lands.
constexpr int kUnavailable[] = {
    150,                                    // help on word
};

// Appends the rows up to the End that closes this pop-up; returns the position after it.
std::size_t AppendRows(HMENU menu, std::span<const MenuRow> rows, std::size_t at, bool* ok) {
    while (at < rows.size()) {
        const MenuRow& row = rows[at++];
        switch (row.kind) {
        case K::End:
            return at;
        case K::Separator:
            *ok = ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) && *ok;
            break;
        case K::Item: {
            const UINT flags = MF_STRING | (IsCommandAvailable(row.command) ? MF_ENABLED : MF_GRAYED);
            *ok = ::AppendMenuW(menu, flags, static_cast<UINT_PTR>(row.command), row.text) && *ok;
            break;
        }
        case K::Popup: {
            unique_hmenu popup(::CreatePopupMenu());
            if (!popup) {
                *ok = false;
                return rows.size();
            }
            at = AppendRows(popup.get(), rows, at, ok);
            // The pop-up belongs to `menu` only once appended; on failure it is destroyed here.
            if (::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), row.text)) {
                popup.release();
            } else {
                *ok = false;
            }
            break;
        }
        }
    }
    return at;
}

}  // namespace

std::span<const MenuRow> MainMenuRows() { return kRows; }

std::span<const int> UnavailableCommands() { return kUnavailable; }

bool IsCommandAvailable(int command) {
    return std::find(std::begin(kUnavailable), std::end(kUnavailable), command) == std::end(kUnavailable);
}

HMENU BuildMainMenu() {
    unique_hmenu bar(::CreateMenu());
    if (!bar) {
        return nullptr;
    }
    bool ok = true;
    AppendRows(bar.get(), kRows, 0, &ok);
    return ok ? bar.release() : nullptr;
}

}  // namespace kelpo
