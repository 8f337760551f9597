// Writes an XmlDocument as text: byte-order mark, declaration, stylesheet
// instruction, then the elements one tab deeper per level.
#include "xml/xml_writer.h"

#include <string>
#include <vector>

#include "xml/xml_document.h"
#include "xml/xml_entities.h"

namespace kelpo {

namespace {

constexpr std::size_t kFlushThreshold = 0x10000;

class XmlTextOutput {
public:
    explicit XmlTextOutput(const XmlByteSink& sink) : sink_(sink)
    {
        buffer_.reserve(kFlushThreshold * 2);
    }

    bool Failed() const { return failed_; }

    void Append(std::string_view bytes)
    {
        buffer_ += bytes;
        FlushWhenFull();
    }

    void AppendString(const char* text)
    {
        if (text != nullptr) {
            Append(text);
        }
    }

    void AppendEscaped(const char* text)
    {
        AppendXmlEscaped(buffer_, text);
        FlushWhenFull();
    }

    void AppendTabs(std::size_t count)
    {
        while (count > 0) {
            const std::size_t chunk = count < kFlushThreshold ? count : kFlushThreshold;
            buffer_.append(chunk, '\t');
            count -= chunk;
            FlushWhenFull();
        }
    }

    bool Finish()
    {
        Flush();
        return !failed_;
    }

private:
    void FlushWhenFull()
    {
        if (buffer_.size() >= kFlushThreshold) {
            Flush();
        }
    }

    void Flush()
    {
        if (!failed_ && !buffer_.empty() && !sink_(buffer_)) {
            failed_ = true;
        }
        buffer_.clear();
    }

    const XmlByteSink& sink_;
    std::string buffer_;
    bool failed_ = false;
};

// Escaped like attribute values: they are decoded like them when read, and a quote
// written bare would end the value early and let the rest pass for markup.
void WritePseudoAttribute(XmlTextOutput& out, std::string_view name, const char* value)
{
    if (value == nullptr) {
        return;
    }
    out.Append(" ");
    out.Append(name);
    out.Append("=\"");
    out.AppendEscaped(value);
    out.Append("\"");
}

void WriteProlog(XmlTextOutput& out, const XmlDocument& document)
{
    if (document.HasBom()) {
        out.Append("\xEF\xBB\xBF");
    }
    if (document.Version() != nullptr) {
        out.Append("<?xml");
        WritePseudoAttribute(out, "version", document.Version());
        WritePseudoAttribute(out, "encoding", document.Encoding());
        WritePseudoAttribute(out, "standalone", document.Standalone());
        out.Append("?>\r\n");
    }
    if (document.StylesheetType() != nullptr) {
        out.Append("<?xml-stylesheet");
        WritePseudoAttribute(out, "type", document.StylesheetType());
        WritePseudoAttribute(out, "href", document.StylesheetHref());
        out.Append("?>\r\n");
    }
}

void WriteEndTag(XmlTextOutput& out, const XmlElement& element)
{
    out.Append("</");
    out.AppendString(element.Name());
    out.Append(">\r\n");
}

// Writes the element up to its children. Returns true when it has children and so
// is left open; otherwise it is written completely.
bool WriteElementStart(XmlTextOutput& out, const XmlElement& element, std::size_t level)
{
    out.AppendTabs(level);
    out.Append("<");
    out.AppendString(element.Name());
    for (const XmlAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->Next()) {
        out.Append(" ");
        out.AppendString(attribute->Name());
        out.Append("=\"");
        out.AppendEscaped(attribute->Value());
        out.Append("\"");
    }
    const bool hasChildren = element.FirstChild() != nullptr;
    if (element.Text() == nullptr && !hasChildren) {
        out.Append(" />\r\n");
        return false;
    }
    out.Append(">");
    if (element.Text() != nullptr) {
        if (element.IsCData()) {
            out.Append("<![CDATA[");
            out.Append(element.Text());
            out.Append("]]>");
        } else {
            out.AppendEscaped(element.Text());
        }
    }
    if (hasChildren) {
        out.Append("\r\n");
        return true;
    }
    WriteEndTag(out, element);
    return false;
}

} // namespace

bool WriteXmlDocument(const XmlDocument& document, const XmlByteSink& sink)
{
    XmlTextOutput out(sink);
    WriteProlog(out, document);

    std::vector<const XmlElement*> open;
    const XmlElement* next = document.Root()->FirstChild();
    while (!out.Failed()) {
        while (next != nullptr && !out.Failed()) {
            if (WriteElementStart(out, *next, open.size())) {
                open.push_back(next);
                next = next->FirstChild();
            } else {
                next = next->NextSibling();
            }
        }
        if (open.empty()) {
            break;
        }
        const XmlElement* finished = open.back();
        open.pop_back();
        out.AppendTabs(open.size());
        WriteEndTag(out, *finished);
        next = finished->NextSibling();
    }
    return out.Finish();
}

} // namespace kelpo
