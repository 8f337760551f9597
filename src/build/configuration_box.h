// The configuration combo box of the build toolbar: every configuration of the installed tools,
// its selection being the configuration the build commands use.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "build/build_configuration.h"

namespace kelpo {

// Item data of the combo box selection (bit 15 included), or -1.
int CurrentConfiguration();

// The codes the box offers for these tools, in table and offering order.
std::vector<unsigned> OfferedConfigurations(const std::vector<const ToolDef*>& tools);
// The position to select for the stored BuildToolId: the first item with that code, else the
// first item; -1 when there is none.
int SelectionFor(const std::vector<unsigned>& codes, int buildToolId);

// The message box of a configuration list item whose two parts name no configuration: the pair
// as its text, the whole list as its caption. The reporter to give ParseConfigurationList.
void ShowBadConfigurationPair(const std::wstring& pair, const std::wstring& list);

// A ComboBoxEx32 drop-down list on the toolbar with its font and images, wide enough for
// "Visual C++ 2008 x86 Release", filled with the tools' configurations, BuildToolId selected.
HWND CreateConfigurationBox(HWND toolbar, HFONT font, HIMAGELIST images,
                            const std::vector<const ToolDef*>& tools, int buildToolId);

}  // namespace kelpo
