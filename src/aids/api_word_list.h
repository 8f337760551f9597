// The API word list of completion and call tips: one signature per line, "Name(type name, ...)"
// then "|" and a description. Loaded once per run from the files beside the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// The name of an entry: its text up to the first "(", trailing blanks removed.
std::string_view ApiEntryName(std::string_view entry);

class ApiWordList {
public:
    // Takes the text of the list files; every non-empty line is an entry.
    void Assign(std::string text);
    bool Empty() const { return entries_.empty(); }
    std::size_t Size() const { return entries_.size(); }

    // Names of the entries that start with `root` (matching case), sorted, each once.
    std::vector<std::string_view> NamesStartingWith(std::string_view root);
    // Entries whose name equals `word` with ASCII letters compared without regard to case,
    // in sorted order.
    std::vector<std::string_view> EntriesNamed(std::string_view word);

private:
    std::string text_;
    std::vector<std::string_view> entries_;  // file order
    std::vector<std::string_view> byBytes_;  // sorted on first use
    std::vector<std::string_view> byName_;   // by folded name, then folded text; sorted on first use
};

// The program's list: loaded from "cpp_win32.api" in `programFolder` by the first call that gives
// a folder; later calls return the list as it is. A missing file leaves it empty.
ApiWordList& ProgramApiWordList();
void LoadProgramApiWordList(const std::wstring& programFolder);

}  // namespace kelpo
