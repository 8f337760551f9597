// Conversions between UTF-8 (what the editor holds) and UTF-16 (what Windows and
// UTF-16 files hold), and the rewriting of line ends.
#pragma once

#include <string>
#include <string_view>

#include "base/file_encoding.h"

namespace kelpo {

enum class ByteOrder { LittleEndian, BigEndian };

// UTF-16 given as raw file bytes, two bytes per code unit in the given order.
// A last odd byte cannot be part of any character: it becomes U+FFFD, so the
// damage shows and nothing past the buffer is read. An unpaired surrogate is
// kept as its three-byte form (ED A0..BF xx) so that saving writes it back.
std::string Utf16BytesToUtf8(std::string_view bytes, ByteOrder order);

// Same rules as above for text that is already in code units.
std::string Utf16ToUtf8(std::u16string_view text);

// Ill-formed UTF-8 becomes U+FFFD, one per maximal ill-formed subpart, except
// the three-byte form of a surrogate, which gives back that code unit: the
// counterpart of what the conversions above make of unpaired surrogates.
std::u16string Utf8ToUtf16(std::string_view text);

// As Utf8ToUtf16, written straight into file bytes in the given order.
std::string Utf8ToUtf16Bytes(std::string_view text, ByteOrder order);
void AppendUtf8AsUtf16Bytes(std::string_view text, ByteOrder order, std::string& bytes);

// Every CR LF, lone CR and lone LF becomes the line end of the mode.
std::string ConvertLineEnds(std::string_view text, LineEndMode mode);

bool IsAscii(std::string_view bytes);

}  // namespace kelpo
