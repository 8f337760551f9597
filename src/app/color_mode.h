// Dark or light window frames and controls, where the system offers the choice.
#pragma once

namespace kelpo {

// 0 light, 1 dark, 2 follow the system's choice for applications.
void ApplyColorMode(int mode);
// Whether the system says applications use the dark theme.
bool SystemPrefersDarkApps();

}  // namespace kelpo
