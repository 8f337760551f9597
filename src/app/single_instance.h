// The single-instance rule: a second start hands its command line to the running instance.
#pragma once

#include <windows.h>

#include "base/handles.h"

namespace kelpo {

inline constexpr wchar_t kInstanceMutexName[] = L"KelpoMutex";
inline constexpr wchar_t kMainWindowClass[] = L"KelpoWindow";

// Creates the named mutex (kept open for the life of the process). When another instance
// already holds it and several instances are not allowed, the running instance is brought
// forward and given this start's command line; the result then says this process must exit.
// A running instance that does not take it leaves this process to start as a second instance.
struct InstanceCheck {
    unique_handle mutex;
    bool handedOver = false;
};
InstanceCheck ApplySingleInstanceRule(bool severalInstancesAllowed);

// How long a second start waits for the running instance to take its command line.
inline constexpr UINT kHandOverTimeoutMs = 5000;

// Sends the hand-over to the running instance's window; false when it did not answer within
// the time (or at once, when the system already sees it as hung).
bool SendHandOver(HWND running, const COPYDATASTRUCT& data, UINT timeoutMs);

// WM_COPYDATA of the main window: opens what a second start handed over.
LRESULT ReceiveHandOver(HWND mainWindow, const COPYDATASTRUCT* data);

}  // namespace kelpo
