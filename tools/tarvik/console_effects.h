// The interpreter's effects in a console: standard output and standard error instead of the
// output pane and message boxes, and the overwrite question on standard input.
#pragma once

#include "build/interpreter_system.h"

namespace kelpo {

class ConsoleEffects : public SystemInterpreterEffects {
public:
    using SystemInterpreterEffects::SystemInterpreterEffects;

    void Print(std::wstring_view text) override;
    // A script must never wait on a box: the message goes to standard error and the exit code
    // tells of it.
    void ShowError(const std::wstring& text, const std::wstring& caption) override;
    void NoteFailure() override { failed_ = true; }
    bool Failed() const { return failed_; }

protected:
    bool AskReplace(const std::wstring& path) override;

private:
    bool failed_ = false;
};

}  // namespace kelpo
