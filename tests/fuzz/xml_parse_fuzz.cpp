// Fuzz entry for the XML reader: any bytes must parse without reading outside
// them, and the tree read must write out and read back with the same shape.
// Run: scripts/fuzz.sh xml_parse [SECONDS]
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "xml/xml_document.h"

namespace {

// Element and attribute names in document order with their depth. Values and text
// are left out: a stored "&#..." is written unchanged and so decoded once more on
// every reading, and a parent's text gains the line break before its first child.
std::string Shape(const kelpo::XmlDocument& document)
{
    std::string shape;
    std::size_t depth = 0;
    const kelpo::XmlElement* element = document.Root()->FirstChild();
    while (element != nullptr) {
        shape += std::to_string(depth) + '<' + (element->Name() ? element->Name() : "") + '>';
        for (const kelpo::XmlAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
            shape += std::string(a->Name() ? a->Name() : "") + '=';
        }
        if (element->FirstChild() != nullptr) {
            element = element->FirstChild();
            ++depth;
            continue;
        }
        while (element != nullptr && element->NextSibling() == nullptr) {
            element = element->Parent();
            if (element == document.Root()) {
                element = nullptr;
            } else {
                --depth;
            }
        }
        if (element != nullptr) {
            element = element->NextSibling();
        }
    }
    return shape;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact copy, so reading one byte past the given length is caught.
    const std::unique_ptr<char[]> bytes(new char[size == 0 ? 1 : size]);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(data[i]);
    }

    kelpo::XmlDocument document;
    const bool parsed = document.Parse(bytes.get(), static_cast<std::ptrdiff_t>(size));
    const std::string written = document.ToText();
    if (!parsed) {
        return 0;
    }
    kelpo::XmlDocument reread;
    if (!reread.Parse(written.c_str(), static_cast<std::ptrdiff_t>(written.size())) ||
        Shape(reread) != Shape(document) || reread.HasBom() != document.HasBom()) {
        std::abort();
    }
    return 0;
}
