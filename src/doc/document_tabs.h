// The tab manager: owns every document, one tab each, the tab index being its position.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "doc/document.h"

namespace kelpo {

inline constexpr int kDocumentTabsId = 93;

class DocumentTabs {
public:
    // Creates the tab bar as a child of the main window; nothing when it cannot be made.
    static std::unique_ptr<DocumentTabs> Create(HWND mainWindow);
    DocumentTabs(const DocumentTabs&) = delete;
    DocumentTabs& operator=(const DocumentTabs&) = delete;
    ~DocumentTabs();

    HWND TabControl() const { return tabControl_; }
    int Count() const { return static_cast<int>(documents_.size()); }
    Document* At(int index) const;
    int IndexOf(const Document* document) const;
    Document* Active() const { return active_; }
    int ActiveIndex() const;
    // The tab whose document has this absolute path (compared without regard to case) or is
    // the same file under another name, or -1.
    int FindByPath(const std::wstring& fullPath) const;
    // The same by the path's spelling only, without opening any file.
    int FindByPathSpelling(const std::wstring& fullPath) const;

    // A view for a new document, set up with the program's editing defaults unless `setUp` is
    // false (a tab whose file is read later: SetUpView then comes first).
    std::unique_ptr<Document> CreateDocumentWithView(bool setUp = true);
    void SetUpView(Document& document) const;
    // Appends a tab for the document and activates it; nothing is kept when that fails.
    Document* Append(std::unique_ptr<Document> document, bool setFocus);
    // Appends a tab without activating it.
    Document* AppendInactive(std::unique_ptr<Document> document);
    void Activate(int index, bool setFocus);
    void Remove(int index);
    void RemoveAll();
    void Move(int from, int to);
    void UpdateTab(const Document* document);

    // The tab that was active before the current one, or -1.
    int PreviousActiveIndex() const;
    // Fits the active view into the tab bar's display area where the tab bar now is.
    void FitActiveView() { PlaceActiveView(); }
    // A counter for the names of new documents, starting at 1.
    int NextUntitledNumber() { return untitledCounter_++; }

private:
    explicit DocumentTabs(HWND mainWindow, HWND tabControl) : mainWindow_(mainWindow), tabControl_(tabControl) {}
    void PlaceActiveView();
    void RememberInHistory(int index);
    int ImageIndexOf(const Document* document) const;

    HWND mainWindow_;
    HWND tabControl_;
    HIMAGELIST images_ = nullptr;
    // The documents in the order of their tabs. Kept here rather than asked of the tab bar: a
    // view's notifications look their document up, a thousand times while a file is coloured,
    // and a look-up should not cost two messages per tab.
    std::vector<std::unique_ptr<Document>> documents_;
    Document* active_ = nullptr;
    int history_[2] = {-1, -1};
    int historySlot_ = 0;
    int untitledCounter_ = 1;
    int viewCounter_ = 0xF000;
};

// The one tab manager of the program, while the main window exists.
DocumentTabs* Tabs();
void SetTabs(std::unique_ptr<DocumentTabs> tabs);

// "%s - Kelpo" with the document's name, or "Kelpo" without a document.
void SetWindowTitle(HWND mainWindow, const Document* document);

}  // namespace kelpo
