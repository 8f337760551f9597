// Entry points of the document layer. Until documents and editor views exist, each request is
// recorded and a record stands in for the document that would have been opened.
#include "doc/document_entry.h"

#include <deque>

namespace kelpo {

struct Document {
    std::size_t requestIndex = 0;
};

namespace {

std::vector<OpenRequest>& Requests() {
    static std::vector<OpenRequest> requests;
    return requests;
}

// Stable addresses for the stand-in documents handed out.
std::deque<Document>& StandIns() {
    static std::deque<Document> documents;
    return documents;
}

Document* RecordRequest(const std::wstring& path) {
    Requests().push_back(OpenRequest{path});
    StandIns().push_back(Document{Requests().size() - 1});
    return &StandIns().back();
}

}  // namespace

Document* OpenFileFromArgument(const std::wstring& path) { return RecordRequest(path); }

void GoToLineColumn(Document* document, int line, int column) {
    if (document == nullptr || document->requestIndex >= Requests().size()) {
        return;
    }
    OpenRequest& request = Requests()[document->requestIndex];
    request.line = line;
    request.column = column;
}

bool AskSaveAll() { return true; }

Document* CreateEmptyDocument() { return RecordRequest(std::wstring()); }

int DocumentCount() { return static_cast<int>(StandIns().size()); }

const std::vector<OpenRequest>& OpenRequests() { return Requests(); }

void ClearOpenRequests() {
    Requests().clear();
    StandIns().clear();
}

}  // namespace kelpo
