// One-pass XML reader: declaration, stylesheet instruction, comments, elements,
// attributes, text and CDATA into an XmlDocument.
#include "xml/xml_parser.h"

#include <cstring>

#include "xml/xml_document.h"
#include "xml/xml_entities.h"

namespace kelpo {

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n";
constexpr std::string_view kNameEnd = ">/= \t\r\n";
// A "?" also ends a pseudo-attribute name, so "<?xml standalone?>" stays one instruction.
constexpr std::string_view kPseudoNameEnd = ">/=? \t\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsWhiteSpace(char c)
{
    return kWhiteSpace.find(c) != std::string_view::npos;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

} // namespace

XmlParser::XmlParser(XmlDocument& document, const char* begin, const char* end)
    : document_(document), position_(begin), end_(end)
{
}

bool XmlParser::StartsWith(std::string_view literal) const
{
    return static_cast<std::size_t>(end_ - position_) >= literal.size() &&
           std::memcmp(position_, literal.data(), literal.size()) == 0;
}

void XmlParser::SkipWhiteSpace()
{
    while (!AtEnd() && IsWhiteSpace(*position_)) {
        ++position_;
    }
}

void XmlParser::SkipPast(const char* from, std::string_view needle)
{
    if (from >= end_) {
        position_ = end_;
        return;
    }
    const std::string_view rest(from, static_cast<std::size_t>(end_ - from));
    const std::size_t found = rest.find(needle);
    position_ = found == std::string_view::npos ? end_ : from + found + needle.size();
}

std::string_view XmlParser::TakeUntil(std::string_view stopBytes)
{
    const char* begin = position_;
    while (!AtEnd() && stopBytes.find(*position_) == std::string_view::npos) {
        ++position_;
    }
    return {begin, static_cast<std::size_t>(position_ - begin)};
}

bool XmlParser::Run()
{
    SkipWhiteSpace();
    if (StartsWith(kByteOrderMark)) {
        document_.hasBom_ = true;
        position_ += kByteOrderMark.size();
    }
    // A document that already holds elements gets the new ones after them.
    OpenElement topLevel{&document_.root_, document_.root_.firstChild_};
    while (topLevel.lastChild != nullptr && topLevel.lastChild->nextSibling_ != nullptr) {
        topLevel.lastChild = topLevel.lastChild->nextSibling_;
    }

    while (!AtEnd() && *position_ == '<') {
        if (StartsWith("<?xml-stylesheet")) {
            position_ += 16;
            ReadPseudoAttributes(PseudoTarget::Stylesheet);
        } else if (StartsWith("<?xml")) {
            position_ += 5;
            ReadPseudoAttributes(PseudoTarget::Declaration);
        } else if (StartsWith("<?")) {
            return true;
        } else if (StartsWith("<!--")) {
            // An unclosed comment runs to the end of the text, like an unclosed
            // element: what came before it is kept.
            SkipPast(position_ + 4, "-->");
        } else if (StartsWith("<!")) {
            const char* from = position_ + 2;
            const void* close = std::memchr(from, '>', static_cast<std::size_t>(end_ - from));
            if (close == nullptr) {
                return false;
            }
            position_ = static_cast<const char*>(close) + 1;
        } else if (!ParseElementTree(topLevel)) {
            return false;
        }
        SkipWhiteSpace();
    }
    return true;
}

void XmlParser::ReadPseudoAttributes(PseudoTarget target)
{
    for (;;) {
        SkipWhiteSpace();
        if (AtEnd()) {
            return;
        }
        if (*position_ == '?') {
            // Past the "?>", but never past the end when the ">" is missing.
            position_ += end_ - position_ >= 2 ? 2 : 1;
            return;
        }
        if (*position_ == '>') {
            ++position_; // the "?" is missing; do not swallow what follows
            return;
        }
        if (*position_ == '/') {
            ++position_;
            continue;
        }
        StorePseudoAttribute(target, ReadAttribute(kPseudoNameEnd));
    }
}

void XmlParser::StorePseudoAttribute(PseudoTarget target, const RawAttribute& attribute)
{
    char** slot = nullptr;
    if (target == PseudoTarget::Declaration) {
        if (EqualsIgnoringAsciiCase(attribute.name, "version")) {
            slot = &document_.version_;
        } else if (EqualsIgnoringAsciiCase(attribute.name, "encoding")) {
            slot = &document_.encoding_;
        } else if (EqualsIgnoringAsciiCase(attribute.name, "standalone")) {
            slot = &document_.standalone_;
        }
    } else {
        if (EqualsIgnoringAsciiCase(attribute.name, "type")) {
            slot = &document_.stylesheetType_;
        } else if (EqualsIgnoringAsciiCase(attribute.name, "href")) {
            slot = &document_.stylesheetHref_;
        }
    }
    if (slot != nullptr) {
        *slot = CopyDecoded(attribute.value);
    }
}

// Reads name, "=" and value from a position that is neither white space nor the end.
// An attribute without "=" gets an empty value.
XmlParser::RawAttribute XmlParser::ReadAttribute(std::string_view nameEnd)
{
    RawAttribute attribute;
    attribute.name = TakeUntil(nameEnd);
    SkipWhiteSpace();
    if (!AtEnd() && *position_ == '=') {
        ++position_;
        SkipWhiteSpace();
        attribute.value = ReadAttributeValue();
    }
    return attribute;
}

// A quoted value runs to the same quote or, when that is missing, to the end of the
// text. An unquoted value runs to white space, ">", "/>" or "?>".
std::string_view XmlParser::ReadAttributeValue()
{
    if (AtEnd()) {
        return {};
    }
    const char quote = *position_;
    if (quote == '"' || quote == '\'') {
        ++position_;
        const char* begin = position_;
        const void* close = std::memchr(begin, quote, static_cast<std::size_t>(end_ - begin));
        const char* valueEnd = close != nullptr ? static_cast<const char*>(close) : end_;
        position_ = close != nullptr ? valueEnd + 1 : end_;
        return {begin, static_cast<std::size_t>(valueEnd - begin)};
    }
    const char* begin = position_;
    while (!AtEnd() && !IsWhiteSpace(*position_) && *position_ != '>' &&
           !StartsWith("/>") && !StartsWith("?>")) {
        ++position_;
    }
    return {begin, static_cast<std::size_t>(position_ - begin)};
}

char* XmlParser::CopyDecoded(std::string_view raw)
{
    char* copy = document_.arena_.CopyString(raw.data(), raw.size());
    if (copy != nullptr) {
        DecodeXmlEntities(copy, raw.size());
    }
    return copy;
}

// Reads one element with everything nested in it, starting at its "<". Elements
// still open when the text ends are complete there.
bool XmlParser::ParseElementTree(OpenElement& holder)
{
    open_.clear();
    if (!StartElement(holder)) {
        return false;
    }
    while (!open_.empty()) {
        if (AtEnd()) {
            open_.clear();
            break;
        }
        XmlElement& element = *open_.back().element;
        if (*position_ != '<') {
            ReadText(element);
            SkipWhiteSpace();
        } else if (StartsWith("</")) {
            // The end tag's name is not compared with the start tag's.
            SkipPast(position_ + 2, ">");
            SkipWhiteSpace();
            open_.pop_back();
        } else if (StartsWith("<!--")) {
            SkipPast(position_ + 4, "-->");
            SkipWhiteSpace();
        } else if (StartsWith("<![CDATA[")) {
            ReadCData(element);
            SkipWhiteSpace();
        } else if (!StartElement(open_.back())) {
            return false;
        }
    }
    return true;
}

// Creates the element at the "<", links it under parent and reads its start tag;
// the element is pushed on the open stack when content follows.
bool XmlParser::StartElement(OpenElement& parent)
{
    XmlElement* element = document_.NewElement();
    if (element == nullptr) {
        return false;
    }
    element->parent_ = parent.element;
    if (parent.element->firstChild_ == nullptr) {
        parent.element->firstChild_ = element;
    }
    if (parent.lastChild != nullptr) {
        parent.lastChild->nextSibling_ = element;
    }
    parent.lastChild = element;

    ++position_;
    const std::string_view name = TakeUntil(kNameEnd);
    element->name_ = document_.arena_.CopyString(name.data(), name.size());
    ReadStartTag(*element);
    return true;
}

void XmlParser::ReadStartTag(XmlElement& element)
{
    XmlAttribute* last = nullptr;
    for (;;) {
        SkipWhiteSpace();
        if (AtEnd()) {
            return;
        }
        if (StartsWith("/>")) {
            position_ += 2;
            // White space after an empty child is layout, not the parent's text.
            SkipWhiteSpace();
            return;
        }
        if (*position_ == '>') {
            ++position_;
            SkipWhiteSpace();
            open_.push_back({&element, nullptr});
            return;
        }
        if (*position_ == '/') {
            ++position_; // a "/" not followed by ">" is dropped
            continue;
        }
        const RawAttribute raw = ReadAttribute(kNameEnd);
        XmlAttribute* attribute = document_.NewAttribute();
        if (attribute == nullptr) {
            continue;
        }
        attribute->name_ = document_.arena_.CopyString(raw.name.data(), raw.name.size());
        attribute->value_ = CopyDecoded(raw.value);
        if (last == nullptr) {
            element.firstAttribute_ = attribute;
        } else {
            last->next_ = attribute;
        }
        last = attribute;
    }
}

// Character data replaces any text read earlier for the element: with mixed
// content the last run wins.
void XmlParser::ReadText(XmlElement& element)
{
    const char* begin = position_;
    const void* next = std::memchr(begin, '<', static_cast<std::size_t>(end_ - begin));
    position_ = next != nullptr ? static_cast<const char*>(next) : end_;
    element.text_ = CopyDecoded({begin, static_cast<std::size_t>(position_ - begin)});
    element.isCData_ = false;
}

// An unclosed section takes the rest of the text.
void XmlParser::ReadCData(XmlElement& element)
{
    const char* begin = position_ + 9;
    const std::string_view rest(begin, static_cast<std::size_t>(end_ - begin));
    const std::size_t close = rest.find("]]>");
    const std::size_t length = close == std::string_view::npos ? rest.size() : close;
    position_ = close == std::string_view::npos ? end_ : begin + close + 3;
    element.text_ = document_.arena_.CopyString(begin, length);
    element.isCData_ = true;
}

} // namespace kelpo
