// A ctags process kept running between refreshes. Under some systems starting a process costs more
// than tagging a large file, so the symbol list asks one waiting generator for each file: it reads
// the language and the file's path on its standard input and answers with the file's tags and an
// end mark.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "aids/symbol_kinds.h"
#include "aids/tag_line.h"

namespace kelpo {

enum class TagServerResult {
    Done,       // the symbols are complete
    Unusable,   // the generator could not be started or asked, or died: run it once on the file instead
    TimedOut,   // the generator did not answer within the limit and was ended
};

// Tags the file with the waiting generator, starting it when none runs. Safe from any thread; one
// request at a time. The generator ends by itself when this process goes: its input then ends.
TagServerResult AskTagServer(const std::wstring& path, int language, KindMask mask, DWORD limitMs,
                             std::vector<Symbol>& symbols);

// The waiting generator's process id; 0 when none runs.
DWORD TagServerProcessId();

}  // namespace kelpo
