// Helpers shared by the XML model tests: a compact one-line picture of a tree, and
// parsing from an exactly sized heap copy so that sanitizers see any over-read.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "xml/xml_document.h"

namespace kelpo::xmltest {

// name{attr=value,...}"text"[child,child]; a "!" before the text marks CDATA.
inline std::string DescribeElement(const XmlElement& element)
{
    std::string out = element.Name() != nullptr ? element.Name() : "?";
    if (element.FirstAttribute() != nullptr) {
        out += '{';
        for (const XmlAttribute* a = element.FirstAttribute(); a != nullptr; a = a->Next()) {
            out += a->Name() != nullptr ? a->Name() : "?";
            out += '=';
            out += a->Value() != nullptr ? a->Value() : "?";
            out += a->Next() != nullptr ? "," : "";
        }
        out += '}';
    }
    if (element.Text() != nullptr) {
        out += element.IsCData() ? "!\"" : "\"";
        out += element.Text();
        out += '"';
    }
    if (element.FirstChild() != nullptr) {
        out += '[';
        for (const XmlElement* c = element.FirstChild(); c != nullptr; c = c->NextSibling()) {
            out += DescribeElement(*c);
            out += c->NextSibling() != nullptr ? "," : "";
        }
        out += ']';
    }
    return out;
}

inline std::string Describe(const XmlDocument& document)
{
    std::string out;
    for (const XmlElement* e = document.Root()->FirstChild(); e != nullptr; e = e->NextSibling()) {
        out += DescribeElement(*e);
        out += e->NextSibling() != nullptr ? "," : "";
    }
    return out;
}

// Parses from a heap block holding exactly the given bytes and no terminator.
inline bool ParseExact(XmlDocument& document, std::string_view bytes)
{
    const std::unique_ptr<char[]> exact(new char[bytes.empty() ? 1 : bytes.size()]);
    if (!bytes.empty()) {
        std::memcpy(exact.get(), bytes.data(), bytes.size());
    }
    return document.Parse(exact.get(), static_cast<std::ptrdiff_t>(bytes.size()));
}

// Parses with length -1 from a heap block of the bytes and their terminator only.
inline bool ParseTerminated(XmlDocument& document, std::string_view bytes)
{
    const std::unique_ptr<char[]> terminated(new char[bytes.size() + 1]);
    if (!bytes.empty()) {
        std::memcpy(terminated.get(), bytes.data(), bytes.size());
    }
    terminated[bytes.size()] = '\0';
    return document.Parse(terminated.get(), -1);
}

} // namespace kelpo::xmltest
