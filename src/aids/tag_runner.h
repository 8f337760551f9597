// Runs the tag generator on a file and collects the symbols of its output. The run happens on the
// interface thread and is bounded in time, so a generator that hangs costs a few seconds at most.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "aids/symbol_kinds.h"
#include "aids/tag_line.h"
#include "base/handles.h"

namespace kelpo {

// The whole run, from the start of the process to the end of its output.
inline constexpr DWORD kTagRunLimitMs = 4000;

// What receives the symbols of a run, in the generator's order.
class TagSink {
public:
    virtual void Receive(const Symbol& symbol) = 0;
    virtual ~TagSink() = default;
};

// Starts the command line hidden with its standard output and error on a pipe and parses what it
// writes; nothing when it could not be started or did not finish within the limit (it is then
// ended). The symbols are handed over only after a complete run.
std::optional<std::vector<Symbol>> RunTagProgram(const std::wstring& commandLine, int language, KindMask mask,
                                                 DWORD limitMs = kTagRunLimitMs);

// A pipe of the given buffer size whose ends are not inherited; false when it cannot be made.
bool MakeTagPipe(unique_handle& read, unique_handle& write, DWORD size);

// ctags on the file, as the language asks; nothing when it failed.
std::optional<std::vector<Symbol>> CollectTags(const std::wstring& path, int language,
                                               KindMask mask = KindMask::All());
// The same, handed to the sink; false when it failed (the sink then received nothing).
bool RunTags(const std::wstring& path, int language, TagSink& sink, KindMask mask = KindMask::All());

}  // namespace kelpo
