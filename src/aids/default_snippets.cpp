// Default snippets: a header guard template, a source file header and the date.
#include "aids/default_snippets.h"

#include <windows.h>

#include "base/handles.h"

namespace kelpo {

std::string_view DefaultSnippetText() {
    static constexpr char kText[] =
        "\xEF\xBB\xBF"
        "#T=.h Header\r\n"
        "// $(FileName): \r\n"
        "// Author: $(Author) $(Date)\r\n"
        "\r\n"
        "#ifndef __$(FileBase:upper)_$(FileExt:upper)__\r\n"
        "#define __$(FileBase:upper)_$(FileExt:upper)__\r\n"
        "\r\n"
        "|\r\n"
        "\r\n"
        "#endif // __$(FileBase:upper)_$(FileExt:upper)__\r\n"
        "#T=.cpp Header\r\n"
        "// $(FileName): \r\n"
        "// Author: $(Author) $(Date)\r\n"
        "\r\n"
        "#include \"precomp.h\"\r\n"
        "#T=DateTime\r\n"
        "$(DateTime)|";
    return std::string_view(kText, sizeof kText - 1);
}

bool EnsureDefaultSnippetFile(const std::wstring& path) {
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
    if (!file) {
        return ::GetLastError() == ERROR_FILE_EXISTS;
    }
    const std::string_view text = DefaultSnippetText();
    DWORD written = 0;
    const bool whole = ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       written == text.size();
    if (!whole) {
        // A cut file would be taken for the user's own snippets at the next start.
        file.reset();
        ::DeleteFileW(path.c_str());
    }
    return whole;
}

}  // namespace kelpo
