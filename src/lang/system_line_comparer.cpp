// Line comparison for sorting through CompareStringEx, looked up at run time, or CompareStringW.
#include "lang/system_line_comparer.h"

#include <windows.h>

#include <climits>

namespace kelpo {
namespace {

using CompareStringExFn = int(WINAPI*)(LPCWSTR, DWORD, LPCWCH, int, LPCWCH, int, LPNLSVERSIONINFO, LPVOID, LPARAM);

CompareStringExFn FindCompareStringEx() {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<CompareStringExFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "CompareStringEx")));
}

// The system takes int lengths; a line longer than that is compared in code units.
bool FitsInt(std::u16string_view text) { return text.size() <= static_cast<std::size_t>(INT_MAX); }

int ToSign(int systemResult) { return systemResult - CSTR_EQUAL; }

}  // namespace

LineComparer SystemLineComparer(const SortOptions& options) {
    const CompareStringExFn compareEx = FindCompareStringEx();
    DWORD flags = options.ignoreCase ? NORM_IGNORECASE : 0;
    if (compareEx != nullptr && options.digitsAsNumbers) {
        flags |= SORT_DIGITSASNUMBERS;
    }
    return [compareEx, flags](std::u16string_view a, std::u16string_view b) {
        if (!FitsInt(a) || !FitsInt(b)) {
            return CompareCodeUnits(a, b);
        }
        const auto* first = reinterpret_cast<const wchar_t*>(a.data());
        const auto* second = reinterpret_cast<const wchar_t*>(b.data());
        const int firstLength = static_cast<int>(a.size());
        const int secondLength = static_cast<int>(b.size());
        int result = 0;
        if (compareEx != nullptr) {
            result = compareEx(LOCALE_NAME_USER_DEFAULT, flags, first, firstLength, second, secondLength, nullptr,
                               nullptr, 0);
            // Systems that predate the digit flag reject it; the other flags still apply.
            if (result == 0 && (flags & SORT_DIGITSASNUMBERS) != 0) {
                result = compareEx(LOCALE_NAME_USER_DEFAULT, flags & ~static_cast<DWORD>(SORT_DIGITSASNUMBERS),
                                   first, firstLength, second, secondLength, nullptr, nullptr, 0);
            }
        } else {
            result = ::CompareStringW(LOCALE_USER_DEFAULT, flags, first, firstLength, second, secondLength);
        }
        return result == 0 ? CompareCodeUnits(a, b) : ToSign(result);
    };
}

}  // namespace kelpo
