// Full-screen mode: the document area over the whole monitor, without menu, bars or panes.
#pragma once

namespace kelpo {

void ToggleFullScreen();
void LeaveFullScreen();

}  // namespace kelpo
