// Adding and removing the notification-area icon (tip "Kelpo", identifier 1).
#include "app/tray_icon.h"

#include <shellapi.h>

#include "app/main_window.h"
#include "base/app_state.h"
#include "base/resource_ids.h"

namespace kelpo {

void AddTrayIcon(HWND mainWindow) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = mainWindow;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = UM_TRAY_NOTIFY;
    data.hIcon = static_cast<HICON>(::LoadImageW(App().instance, MAKEINTRESOURCEW(IDI_KELPO), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    ::lstrcpynW(data.szTip, L"Kelpo", ARRAYSIZE(data.szTip));
    App().trayIconShown = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void RemoveTrayIcon(HWND mainWindow) {
    if (!App().trayIconShown) {
        return;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = mainWindow;
    data.uID = 1;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    App().trayIconShown = false;
}

}  // namespace kelpo
