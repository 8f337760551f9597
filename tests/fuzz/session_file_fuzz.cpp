// Fuzz entry for the session file: any bytes read as a session must give entries that, written
// out and read back, come back the same (what the next start of the program would open).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "doc/session_file.h"
#include "xml/xml_document.h"

namespace {

bool SameAfterRoundTrip(const kelpo::SessionEntry& a, const kelpo::SessionEntry& b) {
    // Element text is read without its leading white space, which a path of a file never has (a
    // CDATA section could carry it into the first reading).
    const std::size_t start = a.path.find_first_not_of(" \t\r\n");
    const std::string path = start == std::string::npos ? std::string() : a.path.substr(start);
    if (a.activeProject != b.activeProject || a.selected != b.selected || path != b.path) {
        return false;
    }
    // Without a path the view state is not written.
    return path.empty() || (a.firstLine == b.firstLine && a.selectionStart == b.selectionStart &&
                              a.selectionEnd == b.selectionEnd && a.xOffset == b.xOffset && a.bookmarks == b.bookmarks);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kelpo::XmlDocument document;
    if (!document.Parse(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()))) {
        // The bookmark list is also read on its own.
        for (const int line : kelpo::ParseBookmarks(bytes)) {
            if (line < 0) std::abort();
        }
        return 0;
    }
    const std::vector<kelpo::SessionEntry> entries = kelpo::ReadSessionEntries(document);
    for (const kelpo::SessionEntry& entry : entries) {
        for (const int line : entry.bookmarks) {
            if (line < 0) std::abort();
        }
    }
    kelpo::XmlDocument written;
    kelpo::BuildSessionDocument(written, entries);
    const std::string text = written.ToText();
    kelpo::XmlDocument reread;
    if (!reread.Parse(text.data(), static_cast<std::ptrdiff_t>(text.size()))) std::abort();
    const std::vector<kelpo::SessionEntry> again = kelpo::ReadSessionEntries(reread);
    if (again.size() != entries.size()) std::abort();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!SameAfterRoundTrip(entries[i], again[i])) std::abort();
    }
    return 0;
}
