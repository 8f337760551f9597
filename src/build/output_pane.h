// The output page of the bottom pane: a read-only editor view styled as an error list that shows
// what builds write, and whose double click opens the file a message names.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kelpo {

class EditorView;

inline constexpr int kOutputViewId = 900;

// Makes the page the output page; its view is made when the page is first painted or written to.
// False when the page cannot be taken.
bool CreateOutputPane(HWND page);
// The view (made now if it was not yet), while the page exists; nullptr otherwise.
EditorView* OutputView();

// Appends a message in the ANSI code page (converted as build output is); any thread.
void AppendOutput(std::string_view ansi);
// Appends UTF-8 text and shows the start of the last line; any thread.
void AppendOutputUtf8(std::string_view utf8);
// Empties the pane; any thread.
void ClearOutput();
// The pane's text as UTF-8.
std::string OutputText();

// The folder of the project file of the latest build, with a trailing backslash: relative names
// in output lines are read against it.
void SetBuildFolder(const std::wstring& projectPath);
const std::wstring& BuildFolder();

// The double click on a line (0-based): opens the file the line names at its line, or shows a
// produced file in its folder. False when the line names nothing that exists.
bool OpenOutputLine(int line);

}  // namespace kelpo
