// Clipboard text through global memory blocks, which the clipboard owns once they are set.
#include "doc/clipboard_text.h"

#include <cstring>

#include "base/text_convert.h"

namespace kelpo {
namespace {

constexpr std::size_t kMaxAnsiBytes = 259;

class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// The bytes with a terminating zero of `unitSize` bytes in a movable block handed to the clipboard.
bool SetClipboardBytes(UINT format, const void* data, std::size_t bytes, std::size_t unitSize) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes + unitSize);
    if (block == nullptr) {
        return false;
    }
    void* target = ::GlobalLock(block);
    if (target == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(target, data, bytes);
    ::GlobalUnlock(block);
    if (::SetClipboardData(format, block) == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    const std::string ansi = WideToAnsi(text, kMaxAnsiBytes);
    ClipboardSession clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard()) {
        return false;
    }
    const bool ansiSet = SetClipboardBytes(CF_TEXT, ansi.data(), ansi.size(), sizeof(char));
    const bool wideSet = SetClipboardBytes(CF_UNICODETEXT, text.data(), text.size() * sizeof(wchar_t), sizeof(wchar_t));
    return ansiSet && wideSet;
}

}  // namespace kelpo
