// Line-based edit commands computed on plain UTF-8 text.
#include "lang/line_transforms.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

#include "base/text_conversion.h"

namespace kelpo {
namespace {

constexpr std::size_t kMaxMarkerLength = 31;

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

bool ContinuesUtf8(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsAllBlanks(std::string_view content) {
    return std::all_of(content.begin(), content.end(), IsBlankOrTab);
}

std::size_t IndentationEnd(std::string_view content) {
    std::size_t pos = 0;
    while (pos < content.size() && IsBlankOrTab(content[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t NextTabStop(std::size_t column, std::size_t tabWidth) { return (column / tabWidth + 1) * tabWidth; }

std::size_t TabWidthOrOne(int tabWidth) { return tabWidth < 1 ? 1 : static_cast<std::size_t>(tabWidth); }

std::size_t IndentationColumn(std::string_view indentation, std::size_t tabWidth) {
    std::size_t column = 0;
    for (const char c : indentation) {
        column = c == '\t' ? NextTabStop(column, tabWidth) : column + 1;
    }
    return column;
}

// Where a line reaches the column; inside a tab that would pass it, the tab's own position.
std::size_t PositionOfColumn(std::string_view content, std::size_t column, std::size_t tabWidth) {
    std::size_t pos = 0;
    std::size_t current = 0;
    while (current < column && pos < content.size()) {
        if (content[pos] == '\t') {
            current = NextTabStop(current, tabWidth);
            if (current > column) {
                return pos;
            }
            ++pos;
        } else {
            ++current;
            ++pos;
            while (pos < content.size() && ContinuesUtf8(content[pos])) {
                ++pos;
            }
        }
    }
    return pos;
}

std::u16string SortKey(std::string_view content, bool ignoreLeadingBlanks) {
    if (ignoreLeadingBlanks) {
        content.remove_prefix(IndentationEnd(content));
    }
    return Utf8ToUtf16(content);
}

// Keeps the column of the tab conversions and where the caret lands in the output.
class ColumnWriter {
public:
    ColumnWriter(std::string_view input, std::size_t tabWidth, std::size_t caret)
        : input_(input), tabWidth_(tabWidth), caret_(caret) {
        output_.reserve(input.size() + input.size() / 8);
    }

    std::size_t Column() const { return column_; }
    std::size_t TabWidth() const { return tabWidth_; }

    // Input [from, to) becomes `text`; a caret inside it lands before the replacement.
    void Replace(std::size_t from, std::size_t to, std::string_view text, std::size_t newColumn) {
        NoteCaret(from, to);
        output_ += text;
        column_ = newColumn;
    }

    void Copy(std::size_t at) {
        NoteCaret(at, at + 1);
        const char c = input_[at];
        output_ += c;
        if (c == '\r' || c == '\n') {
            column_ = 0;
        } else if (c == '\t') {
            column_ = NextTabStop(column_, tabWidth_);
        } else if (!ContinuesUtf8(c)) {
            ++column_;
        }
    }

    TabConversion Finish() {
        TabConversion result;
        result.caret = caretOut_.value_or(output_.size());
        result.changed = output_ != input_;
        result.text = std::move(output_);
        return result;
    }

private:
    void NoteCaret(std::size_t from, std::size_t to) {
        if (!caretOut_ && caret_ >= from && caret_ < to) {
            caretOut_ = output_.size();
        }
    }

    std::string_view input_;
    std::size_t tabWidth_;
    std::size_t caret_;
    std::optional<std::size_t> caretOut_;
    std::string output_;
    std::size_t column_ = 0;
};

// One run of blanks starting at `from`: each part that reaches the next tab stop becomes a tab.
void ConvertBlankRun(std::string_view text, std::size_t from, std::size_t runEnd, ColumnWriter& writer) {
    const bool tabFollows = runEnd < text.size() && text[runEnd] == '\t';
    std::size_t pos = from;
    while (pos < runEnd) {
        const std::size_t stop = NextTabStop(writer.Column(), writer.TabWidth());
        const std::size_t needed = stop - writer.Column();
        const bool reachesStop = pos + needed <= runEnd;
        const bool loneBlankBeforeText = needed == 1 && pos + 1 == runEnd && !tabFollows;
        if (!reachesStop || loneBlankBeforeText) {
            for (; pos < runEnd; ++pos) {
                writer.Copy(pos);
            }
            return;
        }
        writer.Replace(pos, pos + needed, "\t", stop);
        pos += needed;
    }
}

}  // namespace

std::vector<TextLine> SplitLines(std::string_view text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(TextLine{start, text.substr(start), {}});
            break;
        }
        const std::size_t endLength = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
        lines.push_back(TextLine{start, text.substr(start, end - start), text.substr(end, endLength)});
        start = end + endLength;
    }
    return lines;
}

std::string_view LineEndText(LineEndMode mode) {
    switch (mode) {
    case LineEndMode::Cr: return "\r";
    case LineEndMode::Lf: return "\n";
    case LineEndMode::CrLf: break;
    }
    return "\r\n";
}

std::string ApplyTextEdits(std::string_view text, std::span<const TextEdit> edits) {
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    for (const TextEdit& edit : edits) {
        const std::size_t offset = std::clamp(edit.offset, copied, text.size());
        result.append(text.substr(copied, offset - copied));
        result += edit.text;
        copied = std::min(text.size(), offset + edit.length);
    }
    result.append(text.substr(copied));
    return result;
}

std::vector<std::size_t> LinesAfterDeletions(std::string_view text, std::span<const TextEdit> edits) {
    std::vector<std::size_t> starts;
    for (const TextLine& line : SplitLines(text)) {
        starts.push_back(line.start);
    }
    starts.push_back(text.size());  // the line after the text
    // joinedTo[i] < i: the line that line i becomes part of.
    std::vector<std::size_t> joinedTo(starts.size(), std::string_view::npos);
    for (const TextEdit& edit : edits) {
        const auto first = std::upper_bound(starts.begin(), starts.end(), edit.offset);
        const auto last = std::upper_bound(first, starts.end(), edit.offset + edit.length);
        const auto line = static_cast<std::size_t>(first - starts.begin()) - 1;
        for (auto joined = first; joined != last; ++joined) {
            joinedTo[static_cast<std::size_t>(joined - starts.begin())] = line;
        }
    }
    std::vector<std::size_t> lines(starts.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        lines[i] = joinedTo[i] == std::string_view::npos ? next++ : lines[joinedTo[i]];
    }
    return lines;
}

std::optional<LineInterval> CommandLines(const SelectionLines& selection, bool skipPartialFirstLine) {
    if (selection.start == selection.end) {
        return LineInterval{0, selection.lineCount == 0 ? 0 : selection.lineCount - 1};
    }
    LineInterval lines{selection.startLine, selection.endLine};
    if (selection.end == selection.endLineStart && lines.last > lines.first) {
        --lines.last;
    }
    if (skipPartialFirstLine && selection.start > selection.startLineStart) {
        ++lines.first;
    }
    if (lines.first > lines.last) {
        return std::nullopt;
    }
    return lines;
}

std::vector<TextEdit> RemoveBlankLines(std::string_view text, bool keepOne, bool blanksCountAsEmpty) {
    const std::vector<TextLine> lines = SplitLines(text);
    const auto isEmpty = [&](const TextLine& line) {
        return line.content.empty() || (blanksCountAsEmpty && IsAllBlanks(line.content));
    };
    std::vector<TextEdit> edits;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (!isEmpty(lines[i])) {
            ++i;
            continue;
        }
        std::size_t runEnd = i;
        while (runEnd < lines.size() && isEmpty(lines[runEnd])) {
            ++runEnd;
        }
        const std::size_t removed = runEnd - i - (keepOne ? 1 : 0);
        if (removed > 0) {
            const std::size_t from = lines[i].start;
            const std::size_t to = i + removed < lines.size() ? lines[i + removed].start : text.size();
            edits.push_back(TextEdit{from, to - from, {}});
        }
        i = runEnd;
    }
    return edits;
}

std::vector<TextEdit> RemoveDuplicateLines(std::string_view text) {
    const std::vector<TextLine> lines = SplitLines(text);
    std::vector<TextEdit> edits;
    if (lines.size() < 2) {
        return edits;
    }
    std::unordered_set<std::string_view> seen;
    seen.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TextLine& line = lines[i];
        if (line.content.empty() || seen.insert(line.content).second) {
            continue;
        }
        // Never the first line: it has nothing before it to repeat.
        const std::size_t breakBefore = lines[i - 1].end.size();
        edits.push_back(TextEdit{line.start - breakBefore, breakBefore + line.content.size(), {}});
    }
    return edits;
}

std::string ReverseLines(std::string_view text, std::string_view lineEnd) {
    const std::vector<TextLine> lines = SplitLines(text);
    if (lines.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size() + lineEnd.size());
    std::size_t lastEndLength = 0;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const std::string_view end = line->end.empty() ? lineEnd : line->end;
        result += line->content;
        result += end;
        lastEndLength = end.size();
    }
    if (lines.back().end.empty()) {
        result.resize(result.size() - lastEndLength);
    }
    return result;
}

SortOptions SortOptionsFromBits(unsigned options) {
    return SortOptions{(options & kSortAscending) != 0, (options & kSortUnique) != 0,
                       (options & kSortIgnoreCase) != 0, (options & kSortDigitsAsNumbers) != 0,
                       (options & kSortIgnoreLeadingBlanks) != 0};
}

int CompareCodeUnits(std::u16string_view a, std::u16string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::string SortLines(std::string_view text, const SortOptions& options, std::string_view lineEnd,
                      const LineComparer& compare) {
    const std::vector<TextLine> lines = SplitLines(text);
    std::vector<std::u16string> keys;
    keys.reserve(lines.size());
    for (const TextLine& line : lines) {
        keys.push_back(SortKey(line.content, options.ignoreLeadingBlanks));
    }
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return options.ascending ? compare(keys[a], keys[b]) < 0 : compare(keys[b], keys[a]) < 0;
    });

    std::string result;
    result.reserve(text.size() + lines.size() * lineEnd.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (options.unique && i > 0 && compare(keys[order[i - 1]], keys[order[i]]) == 0) {
            continue;
        }
        if (i > 0) {  // the first line in sorted order is never dropped
            result += lineEnd;
        }
        result += lines[order[i]].content;
    }
    if (!lines.empty() && !lines.back().end.empty()) {
        result += lineEnd;
    }
    return result;
}

TabConversion TabsToSpaces(std::string_view text, int tabWidth, std::size_t caret) {
    if (text.find('\t') == std::string_view::npos) {
        return TabConversion{std::string(text), std::min(caret, text.size()), false};
    }
    ColumnWriter writer(text, TabWidthOrOne(tabWidth), caret);
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] == '\t') {
            const std::size_t stop = NextTabStop(writer.Column(), writer.TabWidth());
            writer.Replace(pos, pos + 1, std::string(stop - writer.Column(), ' '), stop);
        } else {
            writer.Copy(pos);
        }
    }
    return writer.Finish();
}

TabConversion SpacesToTabs(std::string_view text, int tabWidth, bool leadingOnly, std::size_t caret) {
    ColumnWriter writer(text, TabWidthOrOne(tabWidth), caret);
    bool converting = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ' ' && converting) {
            const std::size_t runEnd = std::min(text.find_first_not_of(' ', pos), text.size());
            ConvertBlankRun(text, pos, runEnd, writer);
            pos = runEnd;
            continue;
        }
        if (c == '\r' || c == '\n') {
            converting = true;
        } else if (leadingOnly && !IsBlankOrTab(c)) {
            converting = false;
        }
        writer.Copy(pos);
        ++pos;
    }
    return writer.Finish();
}

LineCommentEdits ToggleLineComment(std::string_view text, std::string_view marker, int tabWidth) {
    LineCommentEdits result;
    marker = marker.substr(0, kMaxMarkerLength);
    if (marker.empty()) {
        return result;
    }
    const std::size_t width = TabWidthOrOne(tabWidth);
    struct CommentLine {
        std::size_t start;
        std::string_view content;
        std::size_t indentEnd;
        bool commented;
    };
    std::vector<CommentLine> lines;
    std::size_t minIndent = std::string_view::npos;
    for (const TextLine& line : SplitLines(text)) {
        const std::size_t indentEnd = IndentationEnd(line.content);
        if (indentEnd == line.content.size()) {
            continue;
        }
        const bool commented = line.content.substr(indentEnd, marker.size()) == marker;
        lines.push_back(CommentLine{line.start, line.content, indentEnd, commented});
        minIndent = std::min(minIndent, IndentationColumn(line.content.substr(0, indentEnd), width));
    }
    if (lines.empty()) {
        return result;
    }
    const bool removing = lines.front().commented;
    result.change = removing ? CommentChange::Removed : CommentChange::Added;
    for (const CommentLine& line : lines) {
        if (removing && line.commented) {
            result.edits.push_back(TextEdit{line.start + line.indentEnd, marker.size(), {}});
        } else if (!removing && !line.commented) {
            const std::size_t at = PositionOfColumn(line.content, minIndent, width);
            result.edits.push_back(TextEdit{line.start + at, 0, std::string(marker)});
        }
    }
    return result;
}

std::optional<BlockCommentEdits> BlockComment(std::size_t anchor, std::size_t caret, std::string_view startMarker,
                                              std::string_view endMarker) {
    if (startMarker.empty() || endMarker.empty()) {
        return std::nullopt;
    }
    const std::size_t start = std::min(anchor, caret);
    const std::size_t end = std::max(anchor, caret);
    BlockCommentEdits result;
    result.edits.push_back(TextEdit{start, 0, std::string(startMarker)});
    result.edits.push_back(TextEdit{end, 0, std::string(endMarker)});
    const std::size_t shift = startMarker.size();
    const bool caretAtEnd = caret >= anchor;
    result.anchor = (caretAtEnd ? start : end) + shift;
    result.caret = (caretAtEnd ? end : start) + shift;
    return result;
}

}  // namespace kelpo
