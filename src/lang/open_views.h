// The editor views of the open documents, as the document layer lists them. Commands of this
// folder that act on the active view or on every view (theme, font, language, edit commands)
// reach the documents through here.
#pragma once

#include <functional>
#include <string>

namespace kelpo {

class EditorView;

// A view with the file name that chooses its language (the tab's name for a new document).
using OpenViewVisitor = std::function<void(EditorView& view, const std::wstring& fileName)>;

struct OpenViewsSource {
    std::function<EditorView*()> active;
    std::function<void(const OpenViewVisitor&)> forEach;
};

// Set by the document layer when its tabs are made, cleared (empty source) when they go.
void SetOpenViewsSource(OpenViewsSource source);

// nullptr, or nothing visited, while no source is set.
EditorView* ActiveView();
void ForEachOpenView(const OpenViewVisitor& visit);

}  // namespace kelpo
