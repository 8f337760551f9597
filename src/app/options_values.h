// The values of the Options dialog's first three pages and their place in the option words.
#pragma once

#include <cstdint>

namespace kelpo {

struct GeneralOptions {
    int mruSize = 20;
    bool severalInstances = false;   // Config1 bit 19
    bool session = false;            // Config1 bit 21
    bool newFileAtStart = false;     // Config1 bit 22
    bool trayIcon = false;           // Config1 bit 23
    bool titleFileNameOnly = false;  // Config2 bit 9
    bool checkUpdates = false;       // Config2 bit 26
    friend bool operator==(const GeneralOptions&, const GeneralOptions&) = default;
};

struct TabOptions {
    bool doubleClickCloses = false;  // Config2 bit 10
    bool middleClickCloses = false;  // bit 25
    bool multiline = false;          // bit 21
    bool fixedWidth = false;         // bit 22
    bool bottom = false;             // bit 23
    bool tipFullPath = false;        // bit 24
    friend bool operator==(const TabOptions&, const TabOptions&) = default;
};

struct EditingOptions {
    int tabWidth = 4;       // 1-15
    int indentWidth = 4;    // 0-15
    bool insertSpaces = true;  // the inverse of Config2 bit 8
    friend bool operator==(const EditingOptions&, const EditingOptions&) = default;
};

struct OptionWords {
    std::uint32_t config1 = 0;
    std::uint32_t config2 = 0;
    friend bool operator==(const OptionWords&, const OptionWords&) = default;
};

GeneralOptions ReadGeneralOptions(OptionWords words, int mruSize);
// Only the page's own bits change; the recent-list size is not part of the words.
OptionWords ApplyGeneralOptions(OptionWords words, const GeneralOptions& options);
TabOptions ReadTabOptions(OptionWords words);
OptionWords ApplyTabOptions(OptionWords words, const TabOptions& options);
EditingOptions ReadEditingOptions(OptionWords words);
// Widths outside their fields' ranges are brought into them (tab width 1-15, indentation 0-15).
OptionWords ApplyEditingOptions(OptionWords words, const EditingOptions& options);

}  // namespace kelpo
