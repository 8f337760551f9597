// The XML document model every XML file of the program goes through: reads a file
// or buffer into a tree in one pass, lets callers build or change the tree, and
// writes it back as tab-indented text with CR LF line ends.
#pragma once

#include <cstddef>
#include <string>

#include "xml/xml_arena.h"
#include "xml/xml_element.h"

namespace kelpo {

class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument() = default;
    // Elements point back at their document, so it stays where it was made.
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Reads the whole file (at most 1 GiB) and parses it. False when the file cannot
    // be read or the parse fails; callers take that as "no such file".
    bool Load(const wchar_t* path);
    // Builds the tree from bytes; a negative length means "up to the terminating
    // zero". A zero byte ends the text in either case. False only for a top-level
    // "<!" construct without a closing ">" or when memory runs out.
    bool Parse(const char* bytes, std::ptrdiff_t length = -1);
    // Creates or truncates the file and writes the document; false if the file could
    // not be created or any byte could not be written.
    bool Save(const wchar_t* path) const;
    // The exact bytes Save writes.
    std::string ToText() const;

    void SetDeclaration(const char* version, const char* encoding, const char* standalone);
    void SetBom(bool hasBom) { hasBom_ = hasBom; }
    bool HasBom() const { return hasBom_; }
    const char* Version() const { return version_; }
    const char* Encoding() const { return encoding_; }
    const char* Standalone() const { return standalone_; }
    const char* StylesheetType() const { return stylesheetType_; }
    const char* StylesheetHref() const { return stylesheetHref_; }

    // The element reached by following names separated by "/" or "\" from the
    // top level, taking the first namesake at each level; null when a name is not
    // found or the path is longer than 259 bytes. A null path gives Root().
    XmlElement* FindPath(const char* path) const;
    // The holder whose children are the top-level elements; it has no name.
    XmlElement* Root() const { return &root_; }

    // A new element, not yet part of the tree; null when memory runs out.
    XmlElement* CreateElement(const char* name);
    void AppendTopLevel(XmlElement* element) { root_.AppendChild(element); }

private:
    friend class XmlElement;
    friend class XmlParser;

    XmlElement* NewElement();
    XmlAttribute* NewAttribute();
    char* CopyString(const char* text);

    XmlArena arena_;
    mutable XmlElement root_;
    bool hasBom_ = false;
    char* version_ = nullptr;
    char* encoding_ = nullptr;
    char* standalone_ = nullptr;
    char* stylesheetType_ = nullptr;
    char* stylesheetHref_ = nullptr;
};

} // namespace kelpo
