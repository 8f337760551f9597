// The one set of document listeners of the program.
#include "doc/document_events.h"

#include <utility>

namespace kelpo {
namespace {

DocumentEvents& Events() {
    static DocumentEvents events;
    return events;
}

}  // namespace

void SetDocumentEvents(DocumentEvents events) { Events() = std::move(events); }

const DocumentEvents& CurrentDocumentEvents() { return Events(); }

void NotifyDocumentOpened(Document& document) {
    if (Events().opened) Events().opened(document);
}

void NotifyDocumentSaved(Document& document) {
    if (Events().saved) Events().saved(document);
}

void NotifyDocumentActivated(Document* document) {
    if (Events().activated) Events().activated(document);
}

void NotifyDocumentClosing(Document& document) {
    if (Events().closing) Events().closing(document);
}

}  // namespace kelpo
