// Path parts by the position of the last backslash and the last period.
#include "doc/path_parts.h"

namespace kelpo {

std::wstring_view FolderOfPath(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? std::wstring_view() : path.substr(0, slash);
}

std::wstring_view FileNameOfPath(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view ExtensionOfPath(std::wstring_view path) {
    const std::wstring_view name = FileNameOfPath(path);
    const std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot + 1);
}

std::wstring FolderToEnter(std::wstring_view path) {
    std::wstring folder(FolderOfPath(path));
    if (folder.size() == 2 && folder[1] == L':') {
        folder.push_back(L'\\');
    }
    return folder;
}

}  // namespace kelpo
