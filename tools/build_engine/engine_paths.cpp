// Path text helpers of the build engine.
#include "engine_paths.h"

#include <algorithm>
#include <vector>

namespace kelpo::engine {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; });
    return lower;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && AsciiLower(a) == AsciiLower(b); }

bool IsAbsolutePath(std::string_view path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && IsSeparator(path[0]));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty() || IsAbsolutePath(name)) {
        return std::string(name);
    }
    std::string joined(folder);
    if (!IsSeparator(joined.back())) {
        joined += '\\';
    }
    return joined + std::string(name);
}

std::string ParentFolder(std::string_view path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

std::string_view FileNamePart(std::string_view path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string_view Extension(std::string_view path) {
    const std::string_view name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string NormalPath(std::string_view path) {
    // The root ("C:", "\\server" or "") stays as it is; the parts after it are tidied.
    std::string root;
    std::size_t start = 0;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        root = "\\";
        start = 1;
    } else if (path.size() >= 2 && path[1] == ':') {
        root = std::string(path.substr(0, 2));
        start = 2;
    }
    const bool absolute = start < path.size() && IsSeparator(path[start]);
    std::vector<std::string_view> parts;
    while (start < path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (!absolute) {
                parts.push_back(part);
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string normal = root + (absolute ? "\\" : "");
    for (std::size_t i = 0; i < parts.size(); ++i) {
        normal += (i == 0 ? "" : "\\") + std::string(parts[i]);
    }
    if (normal.empty() && !root.empty()) {
        return root;
    }
    return normal.empty() ? std::string(".") : normal;
}

std::string PathKey(std::string_view path) { return AsciiLower(NormalPath(path)); }

std::string RelativeToFolder(std::string_view path, std::string_view folder) {
    const std::string normalPath = NormalPath(path);
    const std::string normalFolder = NormalPath(folder);
    if (normalPath.size() > normalFolder.size() && normalPath[normalFolder.size()] == '\\' &&
        SameText(std::string_view(normalPath).substr(0, normalFolder.size()), normalFolder)) {
        return normalPath.substr(normalFolder.size() + 1);
    }
    return std::string(path);
}

}  // namespace kelpo::engine
