// The two Find Results pages of the bottom pane: a list of result lines and a Stop button that
// ends the search writing to it. Worker threads add lines through sent messages.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace kelpo {

struct Document;

inline constexpr int kResultPaneCount = 2;
inline constexpr int kResultListId = 800;
inline constexpr int kStopButtonId = 801;

// Fills a bottom-pane page with the result list and its Stop button; false when they could not
// be made. Pane 0 or 1.
bool CreateResultPane(int pane, HWND page);
// The page's size changed: the list fills it below the Stop button.
void FitResultPane(int pane);

// Empties the list (and its horizontal extent) and brings its page to the front.
void ClearResultPane(int pane);
// Appends a line; any thread. A line of an untitled document carries the document, so that a
// double click finds it again.
void AddResultLine(int pane, const std::wstring& line, const Document* untitled = nullptr);
int ResultLineCount(int pane);
std::wstring ResultLineText(int pane, int index);

// While a search writes to the pane its Stop button is enabled; pressing it sets the pane's stop
// flag, which the search polls. Starting clears the flag.
void SetResultPaneRunning(int pane, bool running);
bool ResultPaneRunning(int pane);
const std::atomic<bool>& ResultPaneStopFlag(int pane);
// What the Stop button does.
void StopResultPane(int pane);

// A double click on a line: the file it names opened at its line (an untitled document's tab
// activated). False when the line names nothing that can be opened.
bool OpenResultLine(int pane, int index);

}  // namespace kelpo
