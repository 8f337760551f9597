// The message shown in the first part of the status bar.
#pragma once

#include <string>

namespace kelpo {

void ShowStatusMessage(const std::wstring& text);
const std::wstring& LastStatusMessage();

}  // namespace kelpo
