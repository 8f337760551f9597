#include "base/common_dialogs.h"

#include "base/system_library.h"

namespace kelpo {
namespace {

template <typename Dialog>
BOOL CallDialog(const char* name, Dialog* dialog) {
    using Function = BOOL(WINAPI*)(Dialog*);
    const auto function =
        reinterpret_cast<Function>(reinterpret_cast<void*>(SystemLibraryFunction(L"comdlg32.dll", name)));
    return function != nullptr ? function(dialog) : FALSE;
}

}  // namespace

BOOL ShowOpenFileDialog(OPENFILENAMEW* dialog) { return CallDialog("GetOpenFileNameW", dialog); }

BOOL ShowSaveFileDialog(OPENFILENAMEW* dialog) { return CallDialog("GetSaveFileNameW", dialog); }

BOOL ShowFontDialog(CHOOSEFONTW* dialog) { return CallDialog("ChooseFontW", dialog); }

BOOL ShowColorDialog(CHOOSECOLORW* dialog) { return CallDialog("ChooseColorW", dialog); }

}  // namespace kelpo
