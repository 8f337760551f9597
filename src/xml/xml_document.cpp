// Document-level operations of the XML model: load, parse, save, declaration,
// path lookup and creation of elements.
#include "xml/xml_document.h"

#include <cstring>
#include <new>
#include <type_traits>

#include "xml/xml_file.h"
#include "xml/xml_parser.h"
#include "xml/xml_writer.h"

namespace kelpo {

// The arena never runs destructors.
static_assert(std::is_trivially_destructible_v<XmlElement>);
static_assert(std::is_trivially_destructible_v<XmlAttribute>);

namespace {

constexpr std::uint64_t kLargestFile = 0x40000000;
constexpr std::size_t kLongestPath = 259;

bool IsPathSeparator(char c)
{
    return c == '/' || c == '\\';
}

} // namespace

XmlDocument::XmlDocument() : arena_(XmlArena::kDocumentBlockSize)
{
    root_.owner_ = this;
}

XmlElement* XmlDocument::NewElement()
{
    void* memory = arena_.Allocate(sizeof(XmlElement), alignof(XmlElement));
    if (memory == nullptr) {
        return nullptr;
    }
    XmlElement* element = new (memory) XmlElement();
    element->owner_ = this;
    return element;
}

XmlAttribute* XmlDocument::NewAttribute()
{
    void* memory = arena_.Allocate(sizeof(XmlAttribute), alignof(XmlAttribute));
    return memory != nullptr ? new (memory) XmlAttribute() : nullptr;
}

char* XmlDocument::CopyString(const char* text)
{
    return text != nullptr ? arena_.CopyString(text, std::strlen(text)) : nullptr;
}

bool XmlDocument::Load(const wchar_t* path)
{
    const std::optional<std::string> bytes = ReadXmlFileBytes(path, kLargestFile);
    return bytes && Parse(bytes->c_str(), static_cast<std::ptrdiff_t>(bytes->size()));
}

bool XmlDocument::Parse(const char* bytes, std::ptrdiff_t length)
{
    if (bytes == nullptr) {
        return true;
    }
    // A zero byte ends the text even inside a given length, so a buffer is never
    // read beyond either bound.
    std::size_t size = 0;
    if (length < 0) {
        size = std::strlen(bytes);
    } else {
        const void* zero = std::memchr(bytes, '\0', static_cast<std::size_t>(length));
        size = zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes)
                               : static_cast<std::size_t>(length);
    }
    XmlParser parser(*this, bytes, bytes + size);
    return parser.Run();
}

bool XmlDocument::Save(const wchar_t* path) const
{
    std::string text;
    const bool composed = WriteXmlDocument(*this, [&text](std::string_view bytes) {
        text.append(bytes);
        return true;
    });
    return composed && WriteXmlFileBytes(path, text);
}

std::string XmlDocument::ToText() const
{
    std::string text;
    WriteXmlDocument(*this, [&text](std::string_view bytes) {
        text += bytes;
        return true;
    });
    return text;
}

void XmlDocument::SetDeclaration(const char* version, const char* encoding,
                                 const char* standalone)
{
    version_ = CopyString(version);
    encoding_ = CopyString(encoding);
    standalone_ = CopyString(standalone);
}

XmlElement* XmlDocument::FindPath(const char* path) const
{
    if (path == nullptr) {
        return &root_;
    }
    const std::size_t length = strnlen(path, kLongestPath + 1);
    if (length > kLongestPath) {
        return nullptr;
    }
    XmlElement* current = &root_;
    const char* position = path;
    const char* end = path + length;
    for (;;) {
        while (position < end && IsPathSeparator(*position)) {
            ++position;
        }
        if (position == end) {
            return current;
        }
        const char* segmentBegin = position;
        while (position < end && !IsPathSeparator(*position)) {
            ++position;
        }
        const std::string_view segment(segmentBegin, static_cast<std::size_t>(position - segmentBegin));
        XmlElement* match = current->firstChild_;
        while (match != nullptr && (match->name_ == nullptr || segment != match->name_)) {
            match = match->nextSibling_;
        }
        if (match == nullptr) {
            return nullptr;
        }
        current = match;
    }
}

XmlElement* XmlDocument::CreateElement(const char* name)
{
    XmlElement* element = NewElement();
    if (element != nullptr) {
        element->name_ = CopyString(name);
    }
    return element;
}

} // namespace kelpo
