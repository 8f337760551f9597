// Variable lookup by name. File values are cut from the path at its last backslash and last dot.
#include "aids/variables_lookup.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace kelpo {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), format, args...);
    return length > 0 ? std::string(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1)) : std::string();
}

std::string MonthName(int month) { return month >= 1 && month <= 12 ? kMonthNames[month - 1] : ""; }

std::optional<std::string> FileValue(std::string_view name, const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    const std::size_t dot = path.rfind('.');
    const std::string afterSlash = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    if (SameName(name, "File")) {
        return path;
    }
    if (SameName(name, "FilePath")) {
        return slash == std::string::npos ? "filepath" : path.substr(0, slash + 1);
    }
    if (SameName(name, "FileName")) {
        return slash == std::string::npos ? "filename" : afterSlash;
    }
    if (SameName(name, "FileBase")) {
        return slash == std::string::npos ? "filebase" : afterSlash.substr(0, afterSlash.rfind('.'));
    }
    if (SameName(name, "FileExt")) {
        return dot == std::string::npos ? "fileext" : path.substr(dot + 1);
    }
    return std::nullopt;
}

std::optional<std::string> TimeValue(std::string_view name, const LocalTime& t) {
    struct Entry {
        const char* name;
        std::function<std::string()> value;
    };
    const std::array<Entry, 16> table = {{
        {"Year", [&] { return Format("%d", t.year); }},
        {"Month", [&] { return Format("%d", t.month); }},
        {"Month00", [&] { return Format("%02d", t.month); }},
        {"MonthName", [&] { return MonthName(t.month); }},
        {"Day", [&] { return Format("%d", t.day); }},
        {"Day00", [&] { return Format("%02d", t.day); }},
        {"Hour", [&] { return Format("%d", t.hour); }},
        {"Hour00", [&] { return Format("%02d", t.hour); }},
        {"Minute", [&] { return Format("%d", t.minute); }},
        {"Minute00", [&] { return Format("%02d", t.minute); }},
        {"Second", [&] { return Format("%d", t.second); }},
        {"Second00", [&] { return Format("%02d", t.second); }},
        {"Date", [&] { return Format("%d-%02d-%02d", t.year, t.month, t.day); }},
        {"DateTime", [&] { return Format("%d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute); }},
        {"Time", [&] { return Format("%02d:%02d", t.hour, t.minute); }},
        {"DateName", [&] { return MonthName(t.month) + Format("-%02d-%02d", t.day, t.year); }},
    }};
    for (const Entry& entry : table) {
        if (SameName(name, entry.name)) {
            return entry.value();
        }
    }
    return std::nullopt;
}

std::string ApplyCase(std::string value, CaseModifier modifier) {
    for (char& c : value) {
        if (modifier == CaseModifier::Upper && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (modifier == CaseModifier::Lower && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return value;
}

void AddPreviewLine(std::string& out, std::string_view name, const std::string& value, bool padded) {
    std::string placeholder = "$(" + std::string(name) + ")";
    if (padded && placeholder.size() < 12) {
        placeholder.resize(12, ' ');
    }
    out += placeholder + " = " + value + "\r\n";
}

}  // namespace

std::optional<std::string> LookupVariable(std::string_view name, CaseModifier modifier, const VariableContext& context) {
    if (SameName(name, "Author")) {
        return context.author;
    }
    if (SameName(name, "Email")) {
        return context.email;
    }
    if (SameName(name, "Company")) {
        return context.company;
    }
    if (SameName(name, "Line")) {
        return context.hasDocument ? std::optional<std::string>(std::to_string(context.line)) : std::nullopt;
    }
    if (name.size() >= 4 && SameName(name.substr(0, 4), "File")) {
        if (!context.hasDocument || context.path.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> value = FileValue(name, context.path);
        return value ? std::optional<std::string>(ApplyCase(*value, modifier)) : std::nullopt;
    }
    std::optional<std::string> value = TimeValue(name, context.time);
    return value ? std::optional<std::string>(ApplyCase(*value, modifier)) : std::nullopt;
}

std::string VariablePreview(const std::string& path, const LocalTime& time) {
    VariableContext context;
    context.hasDocument = true;
    context.path = path;
    context.time = time;
    std::string out;
    for (const char* name : {"File", "FilePath", "FileName", "FileBase", "FileExt"}) {
        AddPreviewLine(out, name, LookupVariable(name, CaseModifier::None, context).value_or(""), true);
    }
    out += "\r\n";
    for (const char* name : {"DateTime", "Date", "Time", "Year", "Month", "Month00", "MonthName", "Day", "Day00",
                             "Hour", "Hour00", "Minute", "Minute00", "Second", "Second00"}) {
        AddPreviewLine(out, name, LookupVariable(name, CaseModifier::None, context).value_or(""), true);
    }
    out += "\r\n";
    AddPreviewLine(out, "MonthName:Lower", ApplyCase(MonthName(time.month), CaseModifier::Lower), false);
    AddPreviewLine(out, "MonthName:Upper", ApplyCase(MonthName(time.month), CaseModifier::Upper), false);
    return out;
}

}  // namespace kelpo
