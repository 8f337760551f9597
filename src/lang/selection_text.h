// The text a prompt starts from: the selection, or the word at the caret.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "lang/editor_view.h"

namespace kelpo {

inline constexpr std::size_t kMaxSelectionTextCapacity = 512;

// The selected text when it is within one line and shorter than `capacity` bytes; with an empty
// selection, the word around the caret when it is not empty and shorter than `capacity`. The
// capacity is at most kMaxSelectionTextCapacity. Nothing otherwise.
std::optional<std::wstring> SelectionOrWordAtCaret(const EditorView& view,
                                                   std::size_t capacity = kMaxSelectionTextCapacity);

}  // namespace kelpo
