// Entity references of XML text: decoding in place after parsing, escaping when writing.
#pragma once

#include <cstddef>
#include <string>

namespace kelpo {

// Replaces the five predefined entities and numeric character references in the
// first length bytes of text, writes a terminating zero after the result and
// returns its length. The result is never longer than the source.
std::size_t DecodeXmlEntities(char* text, std::size_t length);

// Appends text with quotes, "<", ">" and every "&" escaped, so that any value reads back
// exactly as it was, one that looks like a numeric reference included.
void AppendXmlEscaped(std::string& out, const char* text);

} // namespace kelpo
