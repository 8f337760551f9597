// One attribute of an XML element; lives in its document's arena.
#pragma once

namespace kelpo {

class XmlAttribute {
public:
    const XmlAttribute* Next() const { return next_; }
    const char* Name() const { return name_; }
    // Absent only when the value could not be stored.
    const char* Value() const { return value_; }

private:
    friend class XmlDocument;
    friend class XmlElement;
    friend class XmlParser;

    XmlAttribute() = default;

    XmlAttribute* next_ = nullptr;
    char* name_ = nullptr;
    char* value_ = nullptr;
};

} // namespace kelpo
