// What the document layer tells the parts above it about a document's life: the shell registers
// the listeners, so that the document layer needs none of them.
#pragma once

#include <functional>

namespace kelpo {

struct Document;

struct DocumentEvents {
    std::function<void(Document&)> opened;     // its file was read into a new tab
    std::function<void(Document&)> saved;      // written to its own file (also under a new name)
    std::function<void(Document*)> activated;  // became the active document; nullptr: no tab left
    std::function<void(Document&)> closing;    // its tab is about to go
};

// Empty members, or an empty record, are no listeners.
void SetDocumentEvents(DocumentEvents events);
const DocumentEvents& CurrentDocumentEvents();

void NotifyDocumentOpened(Document& document);
void NotifyDocumentSaved(Document& document);
void NotifyDocumentActivated(Document* document);
void NotifyDocumentClosing(Document& document);

}  // namespace kelpo
