// Line-by-line reader of "build.tvk": assignments with their continuation lines, and blocks.
#include "build/project_file_reader.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kelpo {
namespace {

enum class ValueKind { Text, Choice, LineItems, SeparatedItems };

struct KeyInfo {
    std::string_view name;
    ValueKind kind;
    std::string ProjectFile::*text;
    std::vector<std::string> ProjectFile::*items;
    std::span<const std::string_view> choices;
};

constexpr std::array<std::string_view, 4> targetTypes = {"EXE", "DLL", "SYS", "LIB"};
constexpr std::array<std::string_view, 5> runtimeLibs = {"LIBCMT", "MFCSTATIC", "MFCDLL", "MSVCRXX", "NONE"};
constexpr std::array<std::string_view, 2> unicodeChoices = {"1", "0"};

constexpr std::array<KeyInfo, 17> keys = {{
    {"TARGETNAME", ValueKind::Text, &ProjectFile::targetName, nullptr, {}},
    {"TARGETTYPE", ValueKind::Choice, &ProjectFile::targetType, nullptr, targetTypes},
    {"RUNTIMELIB", ValueKind::Choice, &ProjectFile::runtimeLib, nullptr, runtimeLibs},
    {"USEUNICODE", ValueKind::Choice, &ProjectFile::useUnicode, nullptr, unicodeChoices},
    {"PCH", ValueKind::Text, &ProjectFile::pch, nullptr, {}},
    {"MACROS", ValueKind::SeparatedItems, nullptr, &ProjectFile::macros, {}},
    {"INCLUDES", ValueKind::SeparatedItems, nullptr, &ProjectFile::includes, {}},
    {"LIBS", ValueKind::SeparatedItems, nullptr, &ProjectFile::libs, {}},
    {"LIBPATHS", ValueKind::SeparatedItems, nullptr, &ProjectFile::libPaths, {}},
    {"CFLAGS", ValueKind::Text, &ProjectFile::cFlags, nullptr, {}},
    {"LFLAGS", ValueKind::Text, &ProjectFile::lFlags, nullptr, {}},
    {"RFLAGS", ValueKind::Text, &ProjectFile::rFlags, nullptr, {}},
    {"AFLAGS", ValueKind::Text, &ProjectFile::aFlags, nullptr, {}},
    {"AS", ValueKind::Text, &ProjectFile::as, nullptr, {}},
    {"SOURCES", ValueKind::LineItems, nullptr, &ProjectFile::sources, {}},
    {"DIRS", ValueKind::LineItems, nullptr, &ProjectFile::dirs, {}},
    {"ARGUMENTS", ValueKind::Text, &ProjectFile::arguments, nullptr, {}},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

const KeyInfo* FindKey(std::string_view name) {
    const auto key = std::find_if(keys.begin(), keys.end(), [&](const KeyInfo& k) { return SameName(k.name, name); });
    return key == keys.end() ? nullptr : &*key;
}

// Lines split at CR LF, LF and lone CR; a final line end gives no empty last line. A UTF-8
// byte-order mark left by an editor is not part of the first key.
std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

// Removes a final "\" (blanks after it allowed) and says whether there was one.
bool TakeContinuation(std::string_view& piece) {
    const std::string_view trimmed = TrimBlanks(piece);
    if (trimmed.empty() || trimmed.back() != '\\') {
        return false;
    }
    piece = piece.substr(0, static_cast<std::size_t>(trimmed.data() - piece.data()) + trimmed.size() - 1);
    return true;
}

class Reader {
    // One line's part of a value, with the line it stands on.
    struct Piece {
        std::string_view text;
        int line;
    };

public:
    Reader(std::string_view text, ProjectFile& project, ProjectFileError& error, ProjectFileLines& itemLines)
        : lines_(SplitLines(text)), project_(project), error_(error), itemLines_(itemLines) {}

    bool Run() {
        for (index_ = 0; index_ < lines_.size(); ++index_) {
            if (!ReadLine(lines_[index_])) {
                return false;
            }
        }
        return true;
    }

private:
    int LineNumber() const { return static_cast<int>(index_) + 1; }

    bool Fail(std::string message) { return FailAt(LineNumber(), std::move(message)); }

    bool FailAt(int line, std::string message) {
        error_.line = line;
        error_.message = std::move(message);
        return false;
    }

    bool ReadLine(std::string_view line) {
        if (TrimBlanks(line).empty()) {
            block_ = nullptr;
            return true;
        }
        if (IsBlank(line.front())) {
            if (block_ == nullptr) {
                return Fail("indented line outside a PREBUILD: or POSTBUILD: block (is a '\\' missing at the end of "
                            "the line before?)");
            }
            block_->emplace_back(TrimBlanks(line));
            return true;
        }
        block_ = nullptr;
        const std::string_view trimmed = TrimBlanks(line);
        if (SameName(trimmed, "PREBUILD:")) {
            return OpenBlock(project_.preBuild, preBuildLine_, "PREBUILD:");
        }
        if (SameName(trimmed, "POSTBUILD:")) {
            return OpenBlock(project_.postBuild, postBuildLine_, "POSTBUILD:");
        }
        return ReadAssignment(line);
    }

    bool OpenBlock(std::vector<std::string>& block, int& firstLine, std::string_view name) {
        if (firstLine != 0) {
            return Fail(std::string(name) + " block given twice (first on line " + std::to_string(firstLine) + ")");
        }
        firstLine = LineNumber();
        block_ = &block;
        return true;
    }

    bool ReadAssignment(std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return Fail("expected KEY=value, PREBUILD: or POSTBUILD:, not '" + std::string(line) + "'");
        }
        const std::string_view name = line.substr(0, equals);
        const KeyInfo* key = FindKey(name);
        if (key == nullptr) {
            if (FindKey(TrimBlanks(name)) != nullptr) {
                return Fail("no blanks allowed between a key and '=' in '" + std::string(name) + "='");
            }
            return Fail("unknown key '" + std::string(name) + "'");
        }
        int& firstLine = keyLines_[static_cast<std::size_t>(key - keys.data())];
        if (firstLine != 0) {
            return Fail("key " + std::string(key->name) + " given twice (first on line " + std::to_string(firstLine) +
                        ")");
        }
        firstLine = LineNumber();
        std::vector<Piece> pieces;
        if (!ReadPieces(line.substr(equals + 1), pieces)) {
            return false;
        }
        return Store(*key, pieces, firstLine);
    }

    // The value's own piece and its continuation lines, each without its final "\".
    bool ReadPieces(std::string_view piece, std::vector<Piece>& pieces) {
        while (TakeContinuation(piece)) {
            pieces.push_back({piece, LineNumber()});
            if (index_ + 1 >= lines_.size() || TrimBlanks(lines_[index_ + 1]).empty()) {
                return true;
            }
            ++index_;
            piece = lines_[index_];
            if (!IsBlank(piece.front())) {
                return Fail("continuation line must be indented (or is the '\\' at the end of line " +
                            std::to_string(LineNumber() - 1) + " too much?)");
            }
        }
        pieces.push_back({piece, LineNumber()});
        return true;
    }

    bool Store(const KeyInfo& key, const std::vector<Piece>& pieces, int keyLine) {
        std::vector<std::string> items;
        std::vector<int> lines;
        for (const Piece& piece : pieces) {
            if (key.kind == ValueKind::SeparatedItems) {
                AppendSeparated(piece.text, items);
            } else if (!TrimBlanks(piece.text).empty()) {
                items.emplace_back(TrimBlanks(piece.text));
            }
            lines.resize(items.size(), piece.line);
        }
        if (key.items != nullptr) {
            project_.*key.items = std::move(items);
            if (key.items == &ProjectFile::sources) {
                itemLines_.sources = std::move(lines);
            } else if (key.items == &ProjectFile::dirs) {
                itemLines_.dirs = std::move(lines);
            }
            return true;
        }
        std::string value;
        for (const std::string& item : items) {
            value += (value.empty() ? "" : " ") + item;
        }
        if (key.kind == ValueKind::Choice) {
            const auto choice = std::find_if(key.choices.begin(), key.choices.end(),
                                             [&](std::string_view c) { return SameName(c, value); });
            if (choice == key.choices.end()) {
                return FailAt(keyLine, std::string(key.name) + " must be one of " + ChoiceList(key.choices) +
                                           ", not '" + value + "'");
            }
            value = *choice;
        }
        project_.*key.text = std::move(value);
        return true;
    }

    static void AppendSeparated(std::string_view piece, std::vector<std::string>& items) {
        std::size_t start = 0;
        while (start <= piece.size()) {
            const std::size_t end = std::min(piece.find(';', start), piece.size());
            const std::string_view item = TrimBlanks(piece.substr(start, end - start));
            if (!item.empty()) {
                items.emplace_back(item);
            }
            start = end + 1;
        }
    }

    static std::string ChoiceList(std::span<const std::string_view> choices) {
        std::string list;
        for (const std::string_view choice : choices) {
            list += (list.empty() ? "" : ", ") + std::string(choice);
        }
        return list;
    }

    std::vector<std::string_view> lines_;
    ProjectFile& project_;
    ProjectFileError& error_;
    ProjectFileLines& itemLines_;
    std::size_t index_ = 0;
    std::vector<std::string>* block_ = nullptr;
    std::array<int, keys.size()> keyLines_{};
    int preBuildLine_ = 0;
    int postBuildLine_ = 0;
};

}  // namespace

bool ReadProjectFile(std::string_view text, ProjectFile& project, ProjectFileError& error) {
    ProjectFileLines lines;
    return Reader(text, project, error, lines).Run();
}

bool ReadProjectFile(std::string_view text, ProjectFile& project, ProjectFileError& error, ProjectFileLines& lines) {
    return Reader(text, project, error, lines).Run();
}

}  // namespace kelpo
