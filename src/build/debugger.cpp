// Starting the debugger on the built program.
#include "build/debugger.h"

#include <windows.h>

#include "base/app_state.h"
#include "base/ini_file.h"
#include "base/text_convert.h"
#include "build/build_command_ids.h"
#include "build/build_configuration.h"
#include "build/configuration_box.h"
#include "build/debug_target.h"
#include "build/interpreter_system.h"
#include "build/output_pane.h"
#include "build/project_for_build.h"
#include "build/tarvik_settings.h"
#include "doc/document_tabs.h"
#include "xml/xml_file.h"

namespace kelpo {
namespace {

// Shows the output page of the bottom pane, as its toolbar button does.
constexpr int kCmdShowOutputPage = 94;

void Refuse(const char* line) {
    if (App().mainWindow != nullptr) {
        ::SendMessageW(App().mainWindow, WM_COMMAND, kCmdShowOutputPage, 0);
    }
    AppendOutput(line);
}

}  // namespace

bool StartDebugger(unsigned code, const std::wstring& projectPath) {
    const std::wstring format = IniFile(App().paths.settingsFile).ReadString(L"Debugger");
    if (format.empty()) {
        Refuse("Error : No Debugger in kelpo.ini [Kelpo]\n");
        return false;
    }
    // Project files are a few lines; anything near this size is not one.
    const std::optional<std::string> text = ReadXmlFileBytes(projectPath.c_str(), 1u << 20);
    const std::wstring folder = projectPath.substr(0, projectPath.rfind(L'\\'));
    const std::wstring folderName = folder.substr(folder.rfind(L'\\') + 1);
    const std::optional<DebugTarget> target = text ? ReadDebugTarget(*text, WideToAnsi(folderName)) : std::nullopt;
    if (!target) {
        return false;
    }
    if (!IsExecutableTarget(*target)) {
        Refuse("Error : Only support debug executable file\n");
        return false;
    }
    // The engine builds below the project's own folder when OutputRoot is empty.
    std::wstring root = ReadTarvikSetting(App().paths.folder, L"OutputRoot");
    const std::wstring program =
        DebugProgramPath(root.empty() ? folder : root, ConfigurationName(code), AnsiToWide(target->name));
    if (program.size() > kMaxProgramPathChars) {
        Refuse("Error : the program's path is longer than 259 characters\n");
        return false;
    }
    const std::optional<std::wstring> commandLine = DebuggerCommandLine(format, program);
    if (!commandLine) {
        Refuse("Error : Debugger in kelpo.ini [Kelpo] is longer than 260 characters\n");
        return false;
    }
    StartDetachedProgram(*commandLine);
    return true;
}

bool HandleDebugCommand(int command) {
    if (command != kCmdDebug) {
        return false;
    }
    const int code = CurrentConfiguration();
    if (code < 0) {
        Refuse("Error : No Tarvik found\n");
        return true;
    }
    if (Tabs() == nullptr || Tabs()->Active() == nullptr) {
        return true;
    }
    const std::wstring project = ProjectForBuild();
    if (project.empty()) {
        Refuse("Error : no .tvk file specified\n");
        return true;
    }
    StartDebugger(static_cast<unsigned>(code), project);
    return true;
}

}  // namespace kelpo
