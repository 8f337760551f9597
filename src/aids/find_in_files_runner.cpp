// Find in Files on a worker thread per result pane: the engine searches, this side turns what it
// reports into result lines and status text by sent messages. A new search into a busy pane, and
// the main window's end, stop the running one and wait for it while still answering its messages.
#include "aids/search_actions.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cwchar>
#include <exception>
#include <memory>

#include "aids/find_disk_win.h"
#include "aids/find_engine.h"
#include "aids/result_panes.h"
#include "base/app_state.h"
#include "base/handles.h"
#include "base/status_message.h"
#include "base/status_text.h"
#include "base/ui_text.h"
#include "doc/ansi_code_page_win.h"

namespace kelpo {
namespace {

struct SearchJob {
    FindRequest request;
    int pane = 0;
    unique_handle thread;
};

std::array<std::unique_ptr<SearchJob>, kResultPaneCount>& Jobs() {
    static std::array<std::unique_ptr<SearchJob>, kResultPaneCount> jobs;
    return jobs;
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

class PaneSink : public FindSink {
public:
    explicit PaneSink(int pane) : pane_(pane) {}

    void Result(const FindResult& result) override {
        AddResultLine(pane_, Wide(FormatResultLine(result, u"binary file holds the text")));
    }

    void Progress(const std::wstring& path) override {
        wchar_t text[600] = {};
        ::_snwprintf(text, 599, UiText(kTextSearchProgress).c_str(), path.c_str());
        SetStatusText(kStatusMessage, text);
    }

    void Finished(const FindTotals& totals) override {
        SetStatusText(kStatusMessage, L"");
        AddResultLine(pane_, FormatSearchSummary(static_cast<int>(std::min<std::uint64_t>(totals.matchingLines, INT_MAX)),
                                                 static_cast<int>(std::min<std::uint64_t>(totals.filesWithMatches, INT_MAX)),
                                                 static_cast<int>(std::min<std::uint64_t>(totals.filesSearched, INT_MAX))));
        if (totals.cancelled) {
            AddResultLine(pane_, UiText(kTextSearchCancelled));
        }
    }

private:
    int pane_;
};

DWORD WINAPI RunSearch(void* parameter) {
    SearchJob& job = *static_cast<SearchJob*>(parameter);
    WindowsFindDisk disk;
    FindServices services{disk, SystemAnsiCodePage(), {}};
    PaneSink sink(job.pane);
    try {
        FindInFiles(job.request, services, sink, ResultPaneStopFlag(job.pane));
    } catch (const std::exception&) {
        // Out of memory in a huge file, say: the pane says the search ended early.
        AddResultLine(job.pane, L"Error : the search ended early (not enough memory).");
    }
    SetResultPaneRunning(job.pane, false);
    return 0;
}

// Waits for the worker while delivering the messages it sends to this thread's windows, which it
// may be blocked on.
void WaitAnswering(HANDLE thread) {
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void StopSearch(int pane) {
    std::unique_ptr<SearchJob>& job = Jobs()[static_cast<std::size_t>(pane)];
    if (!job) {
        return;
    }
    StopResultPane(pane);
    if (job->thread) {
        WaitAnswering(job->thread.get());
    }
    job.reset();
}

std::wstring RefusalText(FindError error) {
    switch (error) {
    case FindError::EmptyText: return L"Find in Files: there is no text to find.";
    case FindError::TextTooLong: return L"Find in Files: the text to find may have at most 256 characters.";
    case FindError::PatternTooLong: return L"Find in Files: the text to find is too long once converted.";
    case FindError::FilterTooLong: return L"Find in Files: the file types may have at most 259 characters.";
    case FindError::NoFolder: return L"Find in Files: there is no folder to search.";
    case FindError::FolderTooLong: return L"Find in Files: a folder path may have at most 259 characters.";
    case FindError::None: break;
    }
    return {};
}

}  // namespace

bool StartFindInFiles(const FindInFilesRequest& request) {
    if (request.pane < 0 || request.pane >= kResultPaneCount) {
        return false;
    }
    auto job = std::make_unique<SearchJob>();
    job->pane = request.pane;
    job->request.text = std::u16string(request.text.begin(), request.text.end());
    job->request.folder = request.folder;
    job->request.filter = request.filter.empty() ? L"*.*" : request.filter;
    job->request.matchCase = request.matchCase;
    job->request.wholeWord = request.wholeWord;
    job->request.subfolders = request.subfolders;
    if (const FindError error = CheckFindRequest(job->request, SystemAnsiCodePage()); error != FindError::None) {
        ShowStatusMessage(RefusalText(error));
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(request.folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowStatusMessage(L"Find in Files: there is no folder " + request.folder);
        return false;
    }
    StopSearch(request.pane);
    ClearResultPane(request.pane);
    SetResultPaneRunning(request.pane, true);
    job->thread.reset(::CreateThread(nullptr, 0, RunSearch, job.get(), 0, nullptr));
    if (!job->thread) {
        SetResultPaneRunning(request.pane, false);
        ShowStatusMessage(L"Find in Files could not start.");
        return false;
    }
    Jobs()[static_cast<std::size_t>(request.pane)] = std::move(job);
    return true;
}

void StopAllSearches() {
    for (int pane = 0; pane < kResultPaneCount; ++pane) {
        StopSearch(pane);
    }
}

void WaitForSearch(int pane) {
    std::unique_ptr<SearchJob>& job = Jobs()[static_cast<std::size_t>(pane)];
    if (job && job->thread) {
        WaitAnswering(job->thread.get());
    }
}

}  // namespace kelpo
