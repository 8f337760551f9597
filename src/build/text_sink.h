// Where the build front end's console messages go: standard output of a console command, or a
// collector in tests and in the windowed editor.
#pragma once

#include <functional>
#include <string_view>

namespace kelpo {

// Receives ANSI text, usually whole lines ending in "\n".
using TextSink = std::function<void(std::string_view text)>;

}  // namespace kelpo
