// Find All: every match of the open documents listed in a result pane, then the summary line.
#include "aids/search_actions.h"

#include <cwchar>

#include "aids/document_search.h"
#include "aids/result_panes.h"
#include "aids/search_commands.h"
#include "aids/search_options.h"
#include "base/app_state.h"
#include "base/text_convert.h"
#include "base/ui_text.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"

namespace kelpo {

std::wstring FormatSearchSummary(int found, int filesWithMatches, int filesSearched) {
    wchar_t line[512] = {};
    std::swprintf(line, 512, UiText(kTextSearchSummary).c_str(), found, filesWithMatches, filesSearched);
    return line;
}

int FindAllToResultPane(bool allDocuments) {
    const auto options = static_cast<std::uint32_t>(App().settings.searchFlags);
    const std::optional<SearchRequest> request = MakeSearchRequest(CurrentSearchTexts().find, options);
    DocumentTabs* tabs = Tabs();
    if (!request || tabs == nullptr || tabs->Active() == nullptr) {
        return 0;
    }
    if (allDocuments) {
        LoadAllDocuments();  // tabs restored without their text read it now
    }
    const int pane = (options & kSearchToPane2) ? 1 : 0;
    ClearResultPane(pane);
    int matches = 0;
    int documentsWithMatches = 0;
    int documentsSearched = 0;
    for (int i = 0; i < tabs->Count(); ++i) {
        Document* document = tabs->At(i);
        if (!allDocuments && document != tabs->Active()) {
            continue;
        }
        ++documentsSearched;
        const std::vector<MatchLine> lines = ListMatches(*document->view, *request);
        const std::wstring& name = document->HasPath() ? document->path : document->displayName;
        for (const MatchLine& line : lines) {
            AddResultLine(pane, name + L"(" + std::to_wstring(line.line + 1) + L"): " + Utf8ToWide(line.text),
                          document->HasPath() ? nullptr : document);
        }
        matches += static_cast<int>(lines.size());
        documentsWithMatches += lines.empty() ? 0 : 1;
    }
    AddResultLine(pane, FormatSearchSummary(matches, documentsWithMatches, documentsSearched));
    return matches;
}

}  // namespace kelpo
