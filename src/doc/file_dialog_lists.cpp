// Filter list and multiple-selection results of the file dialogs.
#include "doc/file_dialog_lists.h"

namespace kelpo {
namespace {

using namespace std::string_view_literals;

constexpr std::wstring_view kFilter =
    L"All files (*.*)\0*.*\0"
    L"C and C++ sources (*.c;*.cpp;*.cxx;*.cc;*.h;*.hpp;*.hxx;*.inl)\0*.c;*.cpp;*.cxx;*.cc;*.h;*.hpp;*.hxx;*.inl\0"
    L"Project files (*.tvk)\0*.tvk\0"
    L"Resource scripts (*.rc;*.rc2)\0*.rc;*.rc2\0"
    L"Text and settings files (*.txt;*.ini;*.log)\0*.txt;*.ini;*.log\0"
    L"Web pages and XML (*.htm;*.html;*.css;*.js;*.xml)\0*.htm;*.html;*.css;*.js;*.xml\0"
    L"Scripts (*.bat;*.cmd;*.ps1;*.py;*.sh)\0*.bat;*.cmd;*.ps1;*.py;*.sh\0"sv;

}  // namespace

std::wstring_view FileTypeFilter() { return kFilter; }

std::vector<std::wstring> SelectedFiles(std::wstring_view buffer) {
    std::vector<std::wstring_view> parts;
    while (!buffer.empty() && buffer.front() != L'\0') {
        const std::size_t end = buffer.find(L'\0');
        parts.push_back(buffer.substr(0, end));
        buffer.remove_prefix(end == std::wstring_view::npos ? buffer.size() : end + 1);
    }
    if (parts.size() <= 1) {
        return std::vector<std::wstring>(parts.begin(), parts.end());
    }
    std::wstring folder(parts.front());
    if (folder.back() != L'\\') {
        folder.push_back(L'\\');  // a drive root already ends in one
    }
    std::vector<std::wstring> files;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        files.push_back(folder + std::wstring(parts[i]));
    }
    return files;
}

}  // namespace kelpo
