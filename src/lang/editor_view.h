// One editing-component window, talked to through its direct function and pointer, with the
// language it is set up for and the completion state the editing aids keep per view.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Scintilla.h"
#include "lang/language_def.h"

namespace kelpo {

// What the word list and call tips remember between keystrokes.
struct CompletionState {
    int parenDepth = 0;           // "(" typed since the call tip was started
    bool openedByTyping = false;  // the word list was opened by typing, not by a command
    int signatureIndex = 0;       // which matching API entry the call tip shows
    int signatureCount = 0;       // how many entries match
    std::string callTipWord;
    int callTipWordStart = 0;     // offset of the word in its line
    sptr_t callTipPosition = -1;  // document position the tip was asked for
    std::string callTipText;
};

class EditorView {
public:
    // A hidden-size child of `parent`; nothing when the window cannot be created. A view made
    // hidden costs the window system nothing to show and hide while the parent is on screen.
    static std::unique_ptr<EditorView> Create(HWND parent, int childId, bool visible = true);
    // Wraps a window of the editing component made elsewhere; the view destroys it when it goes.
    static std::unique_ptr<EditorView> Adopt(HWND window);
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;
    ~EditorView();

    HWND Window() const { return window_; }
    sptr_t Call(unsigned int message, uptr_t wParam = 0, sptr_t lParam = 0) const {
        return direct_(pointer_, message, wParam, lParam);
    }

    std::string Text() const;

    // The language the view was last set up for; nullptr before the first set-up.
    const LanguageDef* Language() const { return language_; }
    void SetLanguage(const LanguageDef& language) { language_ = &language; }
    // The language's catalogue position; 0 (Text) before the first set-up.
    int LanguageId() const { return language_ != nullptr ? language_->id : 0; }
    // Records the catalogue entry at `id` (clamped as LanguageAt does) without restyling.
    void SetLanguageId(int id);

    CompletionState completion;

    // The search requests of find and replace, one request to the component each.
    void SetTarget(sptr_t start, sptr_t end) const;
    void SetSearchFlags(int flags) const;
    // Position of the first match inside the target, or -1; the target moves onto the match.
    sptr_t SearchInTarget(std::string_view text) const;
    // Replaces the target; with groups, \1 ... \9 in the text take the last regular-expression
    // match's groups. Returns the length of the replacement.
    sptr_t ReplaceTarget(std::string_view text, bool withGroups) const;

private:
    EditorView(HWND window, SciFnDirect direct, sptr_t pointer) : window_(window), direct_(direct), pointer_(pointer) {}

    HWND window_;
    SciFnDirect direct_;
    sptr_t pointer_;
    const LanguageDef* language_ = nullptr;
};

}  // namespace kelpo
