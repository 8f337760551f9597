// Snapshot files: a fixed series of "key=value" lines, a blank line, then the text.
#include "doc/snapshot_record.h"

#include <array>
#include <charconv>

namespace kelpo {
namespace {

constexpr std::string_view kTag = "KelpoSnapshot 1";
// Far more than a header with a 260-character path needs; a file without its blank line in
// this reach is not a snapshot.
constexpr std::size_t kHeaderLimit = 8192;
constexpr std::array<std::string_view, 7> kKeys = {"kind", "name", "encoding", "lineend", "caret", "anchor", "length"};

std::optional<std::int64_t> ParseCount(std::string_view text) {
    std::int64_t value = 0;
    if (text.empty() || text.size() > 18 || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The values of the key lines in their fixed order, or none when any line is missing or foreign.
std::optional<std::array<std::string_view, kKeys.size()>> SplitHeader(std::string_view header) {
    std::array<std::string_view, kKeys.size()> values;
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const std::size_t end = header.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view line = header.substr(0, end);
        header.remove_prefix(end + 1);
        if (line.size() <= kKeys[i].size() || line.substr(0, kKeys[i].size()) != kKeys[i] ||
            line[kKeys[i].size()] != '=') {
            return std::nullopt;
        }
        values[i] = line.substr(kKeys[i].size() + 1);
    }
    if (!header.empty()) {
        return std::nullopt;
    }
    return values;
}

std::optional<SnapshotHeader> ReadHeader(const std::array<std::string_view, kKeys.size()>& values) {
    SnapshotHeader header;
    if (values[0] != "file" && values[0] != "untitled") {
        return std::nullopt;
    }
    header.untitled = values[0] == "untitled";
    header.name = std::string(values[1]);
    const auto encoding = ParseCount(values[2]);
    const auto lineEnd = ParseCount(values[3]);
    const auto caret = ParseCount(values[4]);
    const auto anchor = ParseCount(values[5]);
    if (!encoding || *encoding > static_cast<int>(FileEncoding::Utf16BeBom) || !lineEnd ||
        *lineEnd > static_cast<int>(LineEndMode::Lf) || !caret || !anchor) {
        return std::nullopt;
    }
    header.encoding = static_cast<FileEncoding>(*encoding);
    header.lineEnd = static_cast<LineEndMode>(*lineEnd);
    header.caret = *caret;
    header.anchor = *anchor;
    return header;
}

}  // namespace

std::string EncodeSnapshotHeader(const SnapshotHeader& header, std::size_t textLength) {
    if (header.name.empty() || header.name.find_first_of("\r\n") != std::string::npos) {
        return {};
    }
    std::string text(kTag);
    text += "\nkind=";
    text += header.untitled ? "untitled" : "file";
    text += "\nname=" + header.name;
    text += "\nencoding=" + std::to_string(static_cast<int>(header.encoding));
    text += "\nlineend=" + std::to_string(static_cast<int>(header.lineEnd));
    text += "\ncaret=" + std::to_string(header.caret);
    text += "\nanchor=" + std::to_string(header.anchor);
    text += "\nlength=" + std::to_string(textLength);
    text += "\n\n";
    return text;
}

std::optional<SnapshotRecord> DecodeSnapshot(std::string_view bytes) {
    if (bytes.substr(0, kTag.size() + 1) != std::string(kTag) + "\n") {
        return std::nullopt;
    }
    bytes.remove_prefix(kTag.size() + 1);
    const std::size_t blank = bytes.substr(0, kHeaderLimit).find("\n\n");
    if (blank == std::string_view::npos) {
        return std::nullopt;
    }
    const auto values = SplitHeader(bytes.substr(0, blank + 1));
    if (!values) {
        return std::nullopt;
    }
    std::optional<SnapshotHeader> header = ReadHeader(*values);
    const auto length = ParseCount((*values)[6]);
    const std::string_view text = bytes.substr(blank + 2);
    if (!header || header->name.empty() || !length || static_cast<std::uint64_t>(*length) != text.size() ||
        header->caret > *length || header->anchor > *length) {
        return std::nullopt;
    }
    return SnapshotRecord{std::move(*header), std::string(text)};
}

namespace {

std::wstring Hex(std::uint64_t value, int digits) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text(static_cast<std::size_t>(digits), L'0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 15];
    }
    return text;
}

bool AllDigits(std::wstring_view text) {
    if (text.empty()) {
        return false;
    }
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return false;
        }
    }
    return true;
}

constexpr std::wstring_view kRunPrefix = L"run-";
constexpr std::wstring_view kLockSuffix = L".lock";
constexpr std::wstring_view kSnapshotSuffix = L".snapshot";

}  // namespace

// The process id alone repeats across runs; with the start time the name is new for every run.
std::wstring RunName(std::uint32_t processId, std::uint64_t startTime) {
    return std::wstring(kRunPrefix) + std::to_wstring(processId) + L"-" + Hex(startTime, 16);
}

std::wstring SnapshotFileName(std::uint32_t serial) { return std::to_wstring(serial) + std::wstring(kSnapshotSuffix); }

std::optional<std::wstring> RunOfLockName(std::wstring_view fileName) {
    if (fileName.size() <= kRunPrefix.size() + kLockSuffix.size() ||
        fileName.substr(0, kRunPrefix.size()) != kRunPrefix ||
        fileName.substr(fileName.size() - kLockSuffix.size()) != kLockSuffix) {
        return std::nullopt;
    }
    const std::wstring_view run = fileName.substr(0, fileName.size() - kLockSuffix.size());
    const std::size_t dash = run.find(L'-', kRunPrefix.size());
    if (dash == std::wstring_view::npos || !AllDigits(run.substr(kRunPrefix.size(), dash - kRunPrefix.size())) ||
        run.size() - dash - 1 != 16 ||
        run.substr(dash + 1).find_first_not_of(L"0123456789abcdef") != std::wstring_view::npos) {
        return std::nullopt;
    }
    return std::wstring(run);
}

bool IsSnapshotFileName(std::wstring_view fileName) {
    return fileName.size() > kSnapshotSuffix.size() &&
           fileName.substr(fileName.size() - kSnapshotSuffix.size()) == kSnapshotSuffix &&
           AllDigits(fileName.substr(0, fileName.size() - kSnapshotSuffix.size()));
}

}  // namespace kelpo
