// Texts that the insert commands put into a document: a colour in hexadecimal and the items of
// the date-and-time list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// "#RRGGBB" from a colour value laid out as 0x00BBGGRR.
std::string FormatColourHex(std::uint32_t colorRef);

// The items a user list can show: each item with the list separator '|' taken out (it would
// split the item) and without the line breaks the list cannot show, empty items and repeats
// dropped, order kept.
std::vector<std::string> CleanListItems(const std::vector<std::string>& items);
// The items joined with '|', the separator the date-and-time list is shown with.
std::string JoinListItems(const std::vector<std::string>& items);
// Position of the chosen text in the list, or none when the list does not hold it.
std::optional<int> IndexOfListItem(const std::vector<std::string>& items, std::string_view text);

}  // namespace kelpo
