// Windows command-line words: splitting, quoting and response files.
#include "command_line.h"

namespace toolchain {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Text of a response file: UTF-16 little-endian (with its mark) is narrowed, other text is taken as it is.
std::string ResponseText(const std::string& bytes) {
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xFE) {
        return bytes;
    }
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            return words;
        }
        std::string word;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            size_t backslashes = 0;
            while (i < text.size() && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                // 2n backslashes and a quote: n backslashes and a quote toggle; 2n+1: n backslashes and a quote.
                word.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    word += '"';
                } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                    word += '"';  // "" inside quotes stands for one quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                word.append(backslashes, '\\');
                if (i < text.size() && (quoted || !IsBlank(text[i]))) {
                    word += text[i++];
                }
            }
        }
        words.push_back(word);
    }
}

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + '"';
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        line += (line.empty() ? "" : " ") + QuoteArgument(argument);
    }
    return line;
}

std::vector<std::string> ExpandResponseFiles(const std::vector<std::string>& arguments,
                                             const std::function<std::optional<std::string>(const std::string&)>& readFile,
                                             std::string& missing) {
    std::vector<std::string> expanded;
    for (const std::string& argument : arguments) {
        if (argument.size() < 2 || argument[0] != '@') {
            expanded.push_back(argument);
            continue;
        }
        const std::string name = argument.substr(1);
        const std::optional<std::string> text = readFile(name);
        if (!text) {
            missing = name;
            return {};
        }
        for (std::string& word : SplitCommandLine(ResponseText(*text))) {
            expanded.push_back(std::move(word));
        }
    }
    return expanded;
}

std::vector<std::string> SplitPathList(const std::string& list) {
    std::vector<std::string> elements;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (end > start) {
            elements.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return elements;
}

}  // namespace toolchain
