// Snippet variables: their values from the current document, the local time and the user's
// values, and the preview the Variables dialog shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

struct LocalTime {
    int year = 0;
    int month = 1;  // 1 .. 12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// What the variables are taken from; all text UTF-8.
struct VariableContext {
    bool hasDocument = false;
    std::string path;   // the document's full path; empty when untitled
    unsigned line = 0;  // the caret's 1-based line
    std::string author;
    std::string email;
    std::string company;
    LocalTime time;
};

enum class CaseModifier { None, Upper, Lower };

// The value of a variable (name compared without regard to case), or none when the name is
// unknown or its document is missing. The modifier applies to file and date values only.
std::optional<std::string> LookupVariable(std::string_view name, CaseModifier modifier, const VariableContext& context);

// One line per variable, "$(Name)" padded to 12 characters, " = ", the value, CR LF: the file
// variables of `path`, the date and time variables, and the month name in both cases.
std::string VariablePreview(const std::string& path, const LocalTime& time);

}  // namespace kelpo
