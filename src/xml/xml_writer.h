// Turns an XmlDocument into its file bytes: tab-indented, CR LF line ends.
#pragma once

#include <functional>
#include <string_view>

namespace kelpo {

class XmlDocument;

// Receives the bytes in chunks; returns false when they could not be stored.
using XmlByteSink = std::function<bool(std::string_view bytes)>;

// Writes the whole document to sink and returns false as soon as the sink fails.
// Walks the tree with an explicit stack, so tree depth is limited only by memory.
bool WriteXmlDocument(const XmlDocument& document, const XmlByteSink& sink);

} // namespace kelpo
