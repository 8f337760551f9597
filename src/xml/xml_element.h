// One element of an XML document: navigation, attributes and text.
// Strings are zero-terminated UTF-8 bytes owned by the document; a null pointer
// means "absent" wherever a string is taken or returned.
#pragma once

#include "xml/xml_attribute.h"

namespace kelpo {

class XmlDocument;

class XmlElement {
public:
    XmlElement(const XmlElement&) = delete;
    XmlElement& operator=(const XmlElement&) = delete;

    // The first child named name; any first child when name is null.
    XmlElement* FirstChild(const char* name = nullptr) const;
    // The next following sibling named name; simply the next one when name is null.
    XmlElement* NextSibling(const char* name = nullptr) const;
    XmlElement* Parent() const { return parent_; }
    const XmlAttribute* FirstAttribute() const { return firstAttribute_; }
    XmlDocument* Owner() const { return owner_; }

    // The value of the first attribute called name, or null.
    const char* GetAttribute(const char* name) const;
    // As GetAttribute; when the attribute is present, *number (if given) receives
    // its value read like atoi, held to the range of int. Left untouched otherwise.
    const char* GetAttributeInt(const char* name, int* number) const;

    const char* Name() const { return name_; }
    const char* Text() const { return text_; }
    bool IsCData() const { return isCData_; }

    void AppendChild(XmlElement* child);
    // Changes the last attribute called name, or appends a new one.
    void SetAttribute(const char* name, const char* value);
    void SetAttributeInt(const char* name, int number);
    // A null text makes the text absent.
    void SetText(const char* text, bool isCData = false);

private:
    friend class XmlDocument;
    friend class XmlParser;

    XmlElement() = default;

    XmlElement* parent_ = nullptr;
    XmlElement* firstChild_ = nullptr;
    XmlElement* nextSibling_ = nullptr;
    char* name_ = nullptr;
    char* text_ = nullptr;
    bool isCData_ = false;
    XmlAttribute* firstAttribute_ = nullptr;
    XmlDocument* owner_ = nullptr;
};

} // namespace kelpo
