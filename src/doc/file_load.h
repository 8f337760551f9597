// Reading a file into a document's editor view.
#pragma once

#include <cstddef>
#include <string>

#include "doc/document.h"

namespace kelpo {

// ASCII and UTF-8 files go into an empty view in parts of this size, never whole in memory twice.
inline constexpr std::size_t kLoadPartSize = std::size_t{1} << 20;

// Loads the file at `path` (made absolute) into the document; false when nothing was loaded.
// The document's text and fields change only once the file has been read and decoded whole.
bool LoadFile(Document& document, const std::wstring& path);

// Read-only attribute, project kind and language after a load or a save under a new name.
void ClassifyDocument(Document& document);

// The status-bar text for a file that could not be opened: "Cannot open file: " and the path,
// with the reason when the path is too long to be kept.
std::wstring OpenFailureText(const std::wstring& path);

}  // namespace kelpo
