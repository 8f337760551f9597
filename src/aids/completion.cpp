// Completion lists and call tips on a view: the texts come from completion_words, call_tip_text
// and the API word list; this file reads the caret's line and talks to the component.
#include "aids/completion.h"

#include <string>

#include "aids/api_word_list.h"
#include "aids/call_tip_text.h"
#include "aids/completion_words.h"
#include "base/app_state.h"
#include "lang/lexer_names.h"

namespace kelpo {
namespace {

struct CaretLine {
    std::string text;
    int caretOffset = 0;
    sptr_t lineStart = 0;
};

CaretLine ReadCaretLine(const EditorView& view) {
    CaretLine line;
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    const sptr_t number = view.Call(SCI_LINEFROMPOSITION, caret);
    line.lineStart = view.Call(SCI_POSITIONFROMLINE, number);
    const sptr_t length = view.Call(SCI_LINELENGTH, number);
    line.text.resize(static_cast<std::size_t>(length));
    if (length > 0) {
        view.Call(SCI_GETLINE, number, reinterpret_cast<sptr_t>(line.text.data()));
    }
    line.caretOffset = static_cast<int>(caret - line.lineStart);
    return line;
}

// The word characters right before the caret.
std::string WordBeforeCaret(const CaretLine& line) {
    int start = line.caretOffset;
    while (start > 0 && IsCompletionWordChar(line.text[static_cast<std::size_t>(start - 1)])) {
        --start;
    }
    return line.text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(line.caretOffset - start));
}

// The document as the two runs around the component's gap; the gap sits at the caret while the
// user types, so neither request moves text.
SplitText ViewText(const EditorView& view, sptr_t split) {
    const sptr_t length = view.Call(SCI_GETLENGTH);
    const auto* front = reinterpret_cast<const char*>(view.Call(SCI_GETRANGEPOINTER, 0, split));
    const auto* back = reinterpret_cast<const char*>(view.Call(SCI_GETRANGEPOINTER, split, length - split));
    return SplitText(std::string_view(front != nullptr ? front : "", static_cast<std::size_t>(split)),
                     std::string_view(back != nullptr ? back : "", static_cast<std::size_t>(length - split)));
}

template <typename Words>
std::string JoinedWithBlanks(const Words& words) {
    std::string joined;
    for (const auto& word : words) {
        if (!joined.empty()) joined += ' ';
        joined += word;
    }
    return joined;
}

}  // namespace

void OnLanguageAppliedForCompletion(EditorView& view, const LanguageDef& language) {
    if (language.lexer != kLexerCpp) {
        return;
    }
    view.Call(SCI_CALLTIPUSESTYLE, 0);
    view.Call(SCI_CALLTIPSETFORE, RGB(0, 0, 0));
    view.Call(SCI_CALLTIPSETBACK, static_cast<uptr_t>(::GetSysColor(COLOR_INFOBK)));
    LoadProgramApiWordList(App().paths.folder);
}

void StartWordCompletion(EditorView& view, bool onlyOneWord) {
    const CaretLine line = ReadCaretLine(view);
    const std::string root = WordBeforeCaret(line);
    if (root.empty() || root.find_first_not_of("0123456789") == std::string::npos) {
        return;  // a number is never completed
    }
    const sptr_t caret = line.lineStart + line.caretOffset;
    const std::size_t rootStart = static_cast<std::size_t>(caret) - root.size();
    const SplitText text = ViewText(view, caret);
    const std::vector<std::string> words =
        onlyOneWord ? NearCompletionWords(text, root, rootStart) : AllCompletionWords(text, root, rootStart);
    if (onlyOneWord && words.size() > 1) {
        return;  // more than one way on: typing leaves any list as it is
    }
    if (words.empty()) {
        view.Call(SCI_AUTOCCANCEL);
        return;
    }
    const std::string list = JoinedWithBlanks(words);
    view.Call(SCI_AUTOCSHOW, root.size(), reinterpret_cast<sptr_t>(list.c_str()));
}

void StartApiCompletion(EditorView& view) {
    ApiWordList& api = ProgramApiWordList();
    const std::string root = WordBeforeCaret(ReadCaretLine(view));
    if (api.Empty()) {
        return;
    }
    const std::vector<std::string_view> names = api.NamesStartingWith(root);
    if (names.empty()) {
        return;
    }
    const std::string list = JoinedWithBlanks(names);
    view.Call(SCI_AUTOCSHOW, root.size(), reinterpret_cast<sptr_t>(list.c_str()));
}

void StartCallTip(EditorView& view) {
    CompletionState& state = view.completion;
    state.signatureIndex = 0;
    state.callTipWord.clear();
    const CaretLine line = ReadCaretLine(view);
    const std::optional<CallTipSite> site = FindCallTipSite(line.text, line.caretOffset);
    if (!site) {
        return;
    }
    state.callTipWord = site->word;
    state.callTipWordStart = site->wordStart;
    ShowCallTip(view, line.lineStart + site->wordEnd);
}

void ShowCallTip(EditorView& view, sptr_t position) {
    CompletionState& state = view.completion;
    if (position > 0) {
        state.callTipPosition = position;
    }
    ApiWordList& api = ProgramApiWordList();
    if (api.Empty() || state.callTipWord.empty()) {
        return;
    }
    const std::vector<std::string_view> matches = api.EntriesNamed(state.callTipWord);
    if (matches.empty()) {
        return;
    }
    state.signatureCount = static_cast<int>(matches.size());
    state.signatureIndex = std::min(state.signatureIndex, state.signatureCount - 1);
    state.callTipText = ComposeCallTip(matches[static_cast<std::size_t>(state.signatureIndex)], state.signatureCount);
    view.Call(SCI_CALLTIPSHOW, static_cast<uptr_t>(state.callTipPosition - static_cast<sptr_t>(state.callTipWord.size())),
              reinterpret_cast<sptr_t>(state.callTipText.c_str()));
    ContinueCallTip(view);
}

void ContinueCallTip(EditorView& view) {
    const CompletionState& state = view.completion;
    const CaretLine line = ReadCaretLine(view);
    const int from = std::min(state.callTipWordStart, line.caretOffset);
    const int commas = CountArgumentCommas(std::string_view(line.text).substr(
        static_cast<std::size_t>(from), static_cast<std::size_t>(line.caretOffset - from)));
    const auto [start, end] = ParameterHighlight(state.callTipText, commas);
    view.Call(SCI_CALLTIPSETHLT, static_cast<uptr_t>(start), end);
}

void OnCallTipClick(EditorView& view, int where) {
    CompletionState& state = view.completion;
    if (where == 1 && state.signatureIndex > 0) {
        --state.signatureIndex;
    } else if (where == 2 && state.signatureIndex + 1 < state.signatureCount) {
        ++state.signatureIndex;
    }
    ShowCallTip(view, -1);
}

}  // namespace kelpo
