// Translation between the Options dialog's page values and the Config1 and Config2 words.
#include "app/options_values.h"

#include <algorithm>

#include "base/config_bits.h"
#include "base/settings_values.h"

namespace kelpo {
namespace {

std::uint32_t WithFlag(std::uint32_t word, std::uint32_t flag, bool on) { return on ? word | flag : word & ~flag; }


}  // namespace

GeneralOptions ReadGeneralOptions(OptionWords words, int mruSize) {
    GeneralOptions options;
    options.mruSize = ClampMruSize(mruSize);
    options.severalInstances = (words.config1 & kC1SeveralInstances) != 0;
    options.session = (words.config1 & kC1Session) != 0;
    options.newFileAtStart = (words.config1 & kC1NewFileAtStart) != 0;
    options.trayIcon = (words.config1 & kC1TrayIcon) != 0;
    options.titleFileNameOnly = (words.config2 & kC2TitleFileNameOnly) != 0;
    options.checkUpdates = (words.config2 & kC2CheckUpdates) != 0;
    return options;
}

OptionWords ApplyGeneralOptions(OptionWords words, const GeneralOptions& options) {
    words.config1 = WithFlag(words.config1, kC1SeveralInstances, options.severalInstances);
    words.config1 = WithFlag(words.config1, kC1Session, options.session);
    words.config1 = WithFlag(words.config1, kC1NewFileAtStart, options.newFileAtStart);
    words.config1 = WithFlag(words.config1, kC1TrayIcon, options.trayIcon);
    words.config2 = WithFlag(words.config2, kC2TitleFileNameOnly, options.titleFileNameOnly);
    words.config2 = WithFlag(words.config2, kC2CheckUpdates, options.checkUpdates);
    return words;
}

TabOptions ReadTabOptions(OptionWords words) {
    TabOptions options;
    options.doubleClickCloses = (words.config2 & kC2DoubleClickCloses) != 0;
    options.middleClickCloses = (words.config2 & kC2MiddleClickCloses) != 0;
    options.multiline = (words.config2 & kC2TabsMultiline) != 0;
    options.fixedWidth = (words.config2 & kC2TabsFixedWidth) != 0;
    options.bottom = (words.config2 & kC2TabsBottom) != 0;
    options.tipFullPath = (words.config2 & kC2TabTipFullPath) != 0;
    return options;
}

OptionWords ApplyTabOptions(OptionWords words, const TabOptions& options) {
    words.config2 = WithFlag(words.config2, kC2DoubleClickCloses, options.doubleClickCloses);
    words.config2 = WithFlag(words.config2, kC2MiddleClickCloses, options.middleClickCloses);
    words.config2 = WithFlag(words.config2, kC2TabsMultiline, options.multiline);
    words.config2 = WithFlag(words.config2, kC2TabsFixedWidth, options.fixedWidth);
    words.config2 = WithFlag(words.config2, kC2TabsBottom, options.bottom);
    words.config2 = WithFlag(words.config2, kC2TabTipFullPath, options.tipFullPath);
    return words;
}

EditingOptions ReadEditingOptions(OptionWords words) {
    EditingOptions options;
    options.tabWidth = TabWidthOf(words.config2);
    options.indentWidth = IndentWidthOf(words.config2);
    options.insertSpaces = (words.config2 & kC2UseTabs) == 0;
    return options;
}

OptionWords ApplyEditingOptions(OptionWords words, const EditingOptions& options) {
    const auto tabWidth = static_cast<std::uint32_t>(std::clamp(options.tabWidth, 1, 15));
    const auto indentWidth = static_cast<std::uint32_t>(std::clamp(options.indentWidth, 0, 15));
    words.config2 = SetBits(words.config2, kC2TabWidthShift, 4, tabWidth);
    words.config2 = SetBits(words.config2, kC2IndentWidthShift, 4, indentWidth);
    words.config2 = WithFlag(words.config2, kC2UseTabs, !options.insertSpaces);
    return words;
}

}  // namespace kelpo
