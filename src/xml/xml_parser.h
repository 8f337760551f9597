// One-pass reader that turns XML bytes into the tree of an XmlDocument.
#pragma once

#include <string_view>
#include <vector>

namespace kelpo {

class XmlDocument;
class XmlElement;

// Never reads outside [begin, end), and nests with an explicit stack instead of
// recursion, so neither malformed nor deeply nested input can crash it.
class XmlParser {
public:
    XmlParser(XmlDocument& document, const char* begin, const char* end);
    bool Run();

private:
    // An element whose content is being read, and its child parsed last.
    struct OpenElement {
        XmlElement* element;
        XmlElement* lastChild;
    };
    struct RawAttribute {
        std::string_view name;
        std::string_view value;
    };
    enum class PseudoTarget { Declaration, Stylesheet };

    bool AtEnd() const { return position_ >= end_; }
    bool StartsWith(std::string_view literal) const;
    void SkipWhiteSpace();
    // Moves just past the first needle at or after from, or to the end of the text.
    void SkipPast(const char* from, std::string_view needle);
    std::string_view TakeUntil(std::string_view stopBytes);

    void ReadPseudoAttributes(PseudoTarget target);
    void StorePseudoAttribute(PseudoTarget target, const RawAttribute& attribute);
    RawAttribute ReadAttribute(std::string_view nameEnd);
    std::string_view ReadAttributeValue();
    char* CopyDecoded(std::string_view raw);

    bool ParseElementTree(OpenElement& holder);
    bool StartElement(OpenElement& parent);
    void ReadStartTag(XmlElement& element);
    void ReadText(XmlElement& element);
    void ReadCData(XmlElement& element);

    XmlDocument& document_;
    const char* position_;
    const char* end_;
    std::vector<OpenElement> open_;
};

} // namespace kelpo
