// Message boxes of the program.
#include "base/message_box.h"

#include <cstdarg>

namespace kelpo {
namespace {

MessageHook& Hook() {
    static MessageHook hook;
    return hook;
}

}  // namespace

int ShowMessage(HWND owner, UINT flags, const wchar_t* format, ...) {
    // wvsprintfW writes at most 1024 characters, so this buffer cannot overflow.
    wchar_t text[1025] = {};
    va_list args;
    va_start(args, format);
    ::wvsprintfW(text, format, args);
    va_end(args);
    if (const MessageHook& hook = Hook()) {
        return hook(flags, text);
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    return ::MessageBoxW(owner, text, L"Kelpo", flags);
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

}  // namespace kelpo
