// Status-bar message, kept so that tests and later redraws can read it back.
#include "base/status_message.h"

#include "base/status_text.h"

namespace kelpo {
namespace {

std::wstring& Message() {
    static std::wstring message;
    return message;
}

}  // namespace

void ShowStatusMessage(const std::wstring& text) {
    Message() = text;
    SetStatusText(kStatusMessage, text);
}

const std::wstring& LastStatusMessage() { return Message(); }

}  // namespace kelpo
