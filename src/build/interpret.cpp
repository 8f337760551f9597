// The interpreter's commands.
#include "build/interpret.h"

#include <cwctype>

#include "build/build_request.h"
#include "build/command_chain.h"

namespace kelpo {
namespace {

std::wstring Lowered(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

ConfigurationList ParseReporting(const std::wstring& list, InterpreterEffects& effects) {
    return ParseConfigurationList(
        list, [&effects](const std::wstring& pair, const std::wstring& whole) { effects.ShowError(pair, whole); });
}

int Create(const std::vector<std::wstring>& arguments, InterpreterEffects& effects) {
    const std::wstring target = arguments.size() > 2 ? arguments[2] : L".";
    bool done = false;
    switch (effects.KindOf(target)) {
    case PathKind::None:
        effects.Print(L"Error: " + target + L" does not exist.\n");
        break;
    case PathKind::Folder:
        done = effects.CreateProject(target);
        break;
    case PathKind::File:
        done = effects.ConvertFile(target);
        break;
    }
    if (!done) {
        effects.NoteFailure();
    }
    return 0;
}

int Convert(const std::vector<std::wstring>& arguments, InterpreterEffects& effects) {
    bool done = false;
    if (arguments.size() < 3) {
        effects.Print(L"Error: No file specified\nUsage: tarvik convert <.dsw/.sln/.dsp/.vcproj/.vcxproj>\n");
    } else if (effects.KindOf(arguments[2]) != PathKind::File) {
        effects.Print(L"Error: " + arguments[2] + L" is not a vc project file.\n");
    } else {
        done = effects.ConvertFile(arguments[2]);
    }
    if (!done) {
        effects.NoteFailure();
    }
    return 0;
}

int List(InterpreterEffects& effects) {
    for (const ToolDef* tool : effects.InstalledTools()) {
        std::wstring lines;
        for (unsigned code : ConfigurationsOfTool(*tool)) {
            lines += ConfigurationName(code) + L'\n';
        }
        effects.Print(lines + L'\n');
    }
    return 0;
}

int Config(const std::vector<std::wstring>& arguments, InterpreterEffects& effects) {
    if (arguments.size() != 3) {
        effects.Print(kTarvikUsage);
        return 1;
    }
    const ConfigurationList list = ParseReporting(arguments[2], effects);
    if (list.codes.size() != 1) {
        effects.Print(L"Error: please specify full config name, like vc2022_x64_debug\n");
        return 1;
    }
    const BuildEnvironment environment = effects.ComposeEnvironment(list.codes[0]);
    if (environment.block.empty()) {
        effects.Print(L"Error : no environment for " + ConfigurationName(list.codes[0]) + L"\n");
        return 1;
    }
    return effects.WriteEnvironmentBatch(environment) ? 0 : 1;
}

int Build(const std::vector<std::wstring>& arguments, InterpreterEffects& effects) {
    const ConfigurationList list = ParseReporting(arguments[1], effects);
    if (list.codes.empty()) {
        effects.ShowError(L"Invalid parameters, no build tools specified.", L"Kelpo");
        return 1;
    }
    const BuildRequest request = JudgeBuildRequest(std::span(arguments).subspan(2));
    const std::wstring commandLine = BuildRequestCommandLine(effects.ProgramFolder(), request);
    const std::wstring workingFolder =
        BuildRequestWorkingFolder(request.projectFolder, effects.DefaultDir(),
                                  [&effects](const std::wstring& folder) {
                                      return effects.KindOf(folder) == PathKind::Folder;
                                  });
    const bool wait = !request.projectFolder.empty() && !request.keepConsole;
    int result = 0;
    for (unsigned code : list.codes) {
        const BuildEnvironment environment = effects.ComposeEnvironment(code);
        if (environment.block.empty()) {
            effects.Print(L"Error : no environment for " + ConfigurationName(code) + L"\n");
            result = 1;
        } else {
            result = effects.OpenBuildConsole(commandLine, workingFolder, wait, environment);
        }
        if (result != 0 && !request.ignoreFailures) {
            effects.ShowError(L"Run command failed:\n" + commandLine + L"\n\nExitCode=" + std::to_wstring(result),
                              L"Kelpo");
            break;
        }
    }
    return result;
}

}  // namespace

bool NamesTarvik(const std::wstring& program) {
    const std::size_t slash = program.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? program : program.substr(slash + 1);
    return Lowered(name.substr(0, 6)) == L"tarvik";
}

int Interpret(const std::vector<std::wstring>& arguments, const std::wstring& rawText, InterpreterEffects& effects) {
    if (arguments.empty()) {
        return 1;
    }
    if (!NamesTarvik(arguments[0])) {
        if (effects.StartProgram(rawText)) {
            return 0;
        }
        effects.Print(L"Error: cannot start " + rawText + L"\n");
        effects.NoteFailure();
        return 1;
    }
    if (arguments.size() == 1) {
        effects.Print(kTarvikUsage);
        return 0;
    }
    const std::wstring verb = Lowered(arguments[1]);
    if (verb == L"create") {
        return Create(arguments, effects);
    }
    if (verb == L"convert") {
        return Convert(arguments, effects);
    }
    if (verb == L"list") {
        return List(effects);
    }
    if (verb == L"config") {
        return Config(arguments, effects);
    }
    return Build(arguments, effects);
}

int InterpretChain(const std::wstring& text, InterpreterEffects& effects, const ArgumentSplitter& split) {
    const CommandChain chain = SplitCommandChain(text);
    if (chain.tooLong) {
        effects.Print(L"Error : a command of the chain is longer than 511 characters: " + text + L"\n");
        return 1;
    }
    for (const std::wstring& part : chain.parts) {
        const std::optional<std::vector<std::wstring>> arguments = split(part);
        if (!arguments || arguments->empty()) {
            continue;
        }
        if (const int result = Interpret(*arguments, part, effects); result != 0) {
            return result;
        }
    }
    return 0;
}

}  // namespace kelpo
