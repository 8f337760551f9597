// Reading Visual Studio project files into the neutral model and writing the converted layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/project_file_reader.h"
#include "build/vs_container.h"
#include "build/vs_project.h"
#include "build/vs_project_readers.h"

namespace kelpo {
namespace {

using Reader = bool (*)(std::string_view, VsProject&);

// The converted text's values in order, joined by "|": the key lines without their keys (CFLAGS
// and LFLAGS left out), then the sources. Checks the readers and the writer's mapping together.
std::string Summary(const VsProject& project) {
    const std::string text = ConvertedProjectText(project);
    std::string summary;
    bool first = true;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = text.substr(start, end - start);
        if (line.empty() || line.starts_with("CFLAGS") || line.starts_with("LFLAGS") || line.starts_with("SOURCES") ||
            line.ends_with("BUILD:")) {
            continue;
        }
        if (line.ends_with(" \\")) {
            line.resize(line.size() - 2);
        }
        const std::size_t equals = line.find('=');
        summary += (first ? "" : "|") + (line[0] == '\t' ? line.substr(1) : line.substr(equals + 1));
        first = false;
    }
    return summary;
}

struct ReadCase {
    const char* what;
    Reader reader;
    std::string text;
    bool ok;
    std::string summary;  // name|type|runtime|unicode|macros|includes|libs|libpaths|sources...
};

constexpr const char* vcxprojFull = R"(<?xml version="1.0" encoding="utf-8"?>
<Project DefaultTargets="Build" xmlns="http://schemas.microsoft.com/developer/msbuild/2003">
  <PropertyGroup Label="Globals"><RootNamespace>app</RootNamespace></PropertyGroup>
  <PropertyGroup Condition="'$(Configuration)|$(Platform)'=='Debug|Win32'" Label="Configuration">
    <ConfigurationType>StaticLibrary</ConfigurationType><CharacterSet>Unicode</CharacterSet>
  </PropertyGroup>
  <PropertyGroup Condition="'$(Configuration)|$(Platform)'=='Release|Win32'" Label="Configuration">
    <ConfigurationType>DynamicLibrary</ConfigurationType><UseOfMfc>false</UseOfMfc>
    <CharacterSet>MultiByte</CharacterSet>
  </PropertyGroup>
  <ItemDefinitionGroup Condition="'$(Configuration)|$(Platform)'=='Debug|Win32'">
    <ClCompile><PreprocessorDefinitions>DEBUGONLY</PreprocessorDefinitions></ClCompile>
  </ItemDefinitionGroup>
  <ItemDefinitionGroup Condition="'$(Configuration)|$(Platform)'=='Release|Win32'">
    <ClCompile>
      <RuntimeLibrary>MultiThreadedDLL</RuntimeLibrary>
      <AdditionalIncludeDirectories>inc;%(AdditionalIncludeDirectories)</AdditionalIncludeDirectories>
      <PreprocessorDefinitions>WIN32;NDEBUG;_WINDOWS;MYLIB;%(PreprocessorDefinitions)</PreprocessorDefinitions>
    </ClCompile>
    <Link><AdditionalDependencies>a.lib;b.lib</AdditionalDependencies>
      <AdditionalLibraryDirectories>lib</AdditionalLibraryDirectories></Link>
  </ItemDefinitionGroup>
  <ItemGroup><ResourceCompile Include=".\res\app.rc" /><ClCompile Include="main.cpp" />
    <ClCompile Include="x.asm" /><ClInclude Include="app.h" /></ItemGroup>
  <ItemGroup><ClCompile Include="util.c" /></ItemGroup>
</Project>)";

constexpr const char* vcprojFull = R"(<?xml version="1.0" encoding="Windows-1252"?>
<VisualStudioProject ProjectType="Visual C++" Version="9.00" Name="tool" RootNamespace="other">
  <Configurations>
    <Configuration Name="Release|Win32" ConfigurationType="4" UseOfMFC="2" CharacterSet="1">
      <Tool Name="VCCLCompilerTool" AdditionalIncludeDirectories="..\inc" PreprocessorDefinitions="WIN32;TOOL"
            RuntimeLibrary="0"/>
      <Tool Name="VCLinkerTool" AdditionalDependencies="ignored.lib" AdditionalLibraryDirectories="..\lib"/>
    </Configuration>
    <Configuration Name="Debug|Win32" ConfigurationType="4" RuntimeLibrary="3">
      <Tool Name="VCCLCompilerTool" PreprocessorDefinitions="DEBUGONLY" RuntimeLibrary="3"/>
    </Configuration>
  </Configurations>
  <Files>
    <Filter Name="Sources"><Filter Name="Deep"><File RelativePath=".\deep.c"/></Filter>
      <File RelativePath=".\b.cpp"/></Filter>
    <File RelativePath="a.c"/><File RelativePath="a.h"/><File RelativePath="tool.def"/>
  </Files>
</VisualStudioProject>)";

std::string Vcxproj(const std::string& releaseProperties) {
    return "<Project><PropertyGroup Condition=\"'$(Configuration)|$(Platform)'=='Release|Win32'\">" +
           releaseProperties + "</PropertyGroup><ItemGroup><ClCompile Include=\"m.c\"/></ItemGroup></Project>";
}

std::string Vcproj(const std::string& configurationAttributes) {
    return "<VisualStudioProject Name=\"p\"><Configurations><Configuration " + configurationAttributes +
           "/></Configurations><Files><File RelativePath=\"m.c\"/></Files></VisualStudioProject>";
}

TEST(VsProjectReaders, ReadAndConvertedValues) {
    const ReadCase cases[] = {
        {"vcxproj: release settings only, sources of every item group", ReadVcxproj, vcxprojFull, true,
         "app|DLL|MSVCRXX|0|_WINDOWS;MYLIB|inc;%(AdditionalIncludeDirectories)|a.lib;b.lib|lib|main.cpp|res\\app.rc|"
         "util.c"},
        {"vcxproj: unknown type is a program, static MFC, Unicode", ReadVcxproj,
         Vcxproj("<ConfigurationType>Utility</ConfigurationType><UseOfMfc>Static</UseOfMfc>"
                 "<CharacterSet>Unicode</CharacterSet>"),
         true, "|EXE|MFCSTATIC|1|||||m.c"},
        {"vcxproj: shared MFC wins over the run time", ReadVcxproj,
         Vcxproj("<ConfigurationType>StaticLibrary</ConfigurationType><UseOfMfc>Dynamic</UseOfMfc>"), true,
         "|LIB|MFCDLL|1|||||m.c"},
        {"vcxproj: a later definition group replaces the earlier", ReadVcxproj,
         "<Project><PropertyGroup Condition=\"'Release|Win32'\"><ConfigurationType>Application</ConfigurationType>"
         "</PropertyGroup><ItemDefinitionGroup Condition=\"'Release|Win32'\"><ClCompile><PreprocessorDefinitions>A"
         "</PreprocessorDefinitions><RuntimeLibrary>MultiThreadedDebugDLL</RuntimeLibrary></ClCompile>"
         "</ItemDefinitionGroup><ItemDefinitionGroup Condition=\"'Release|Win32'\"><ClCompile>"
         "<PreprocessorDefinitions>B</PreprocessorDefinitions></ClCompile></ItemDefinitionGroup>"
         "<ItemGroup/></Project>",
         true, "|EXE|MSVCRXX|1|B|||"},
        {"vcxproj: no item group", ReadVcxproj, "<Project><PropertyGroup/></Project>", false, ""},
        {"vcxproj: another root", ReadVcxproj, "<Other><ItemGroup/></Other>", false, ""},
        {"vcxproj: not XML", ReadVcxproj, "", false, ""},
        {"vcproj: last configuration's type, release tools, files then filters to any depth", ReadVcproj,
         vcprojFull, true, "tool|LIB|MFCDLL|1|TOOL|..\\inc||..\\lib|a.c|tool.def|b.cpp|deep.c"},
        {"vcproj: release name without regard to case", ReadVcproj,
         Vcproj("Name=\"release|win32\" ConfigurationType=\"2\" CharacterSet=\"2\"><Tool Name=\"VCCLCompilerTool\" "
                "RuntimeLibrary=\"1\"/></Configuration><Configuration"),
         true, "p|DLL|LIBCMT|0|||||m.c"},
        {"vcproj: no Files", ReadVcproj, "<VisualStudioProject Name=\"p\"/>", false, ""},
        {"vcproj: line breaks inside values become blanks", ReadVcproj,
         Vcproj("Name=\"Release|Win32\" ConfigurationType=\"1\"><Tool Name=\"VCCLCompilerTool\" "
                "PreprocessorDefinitions=\"A;\nB\" AdditionalIncludeDirectories=\"inc;\r\nlib\"/>"
                "</Configuration><Configuration"),
         true, "p|EXE|LIBCMT|1|A; B|inc;  lib|||m.c"},
        {"dsp: name line, kept sources; type and character set fixed", ReadDsp,
         "# Microsoft Developer Studio Project File - Name=\"calc\" - Package Owner=<4>\r\n"
         "# TARGTYPE \"Win32 (x86) Static Library\" 0x0104\r\nSOURCE=.\\main.cpp\r\nSOURCE=\"quoted.cpp\"\r\n"
         "SOURCE=.\\calc.h\r\nSOURCE=res\\calc.rc",
         true, "calc|EXE|LIBCMT|0|||||main.cpp|res\\calc.rc"},
        {"dsp: name without a closing quote", ReadDsp,
         "# Microsoft Developer Studio Project File - Name=\"calc\nSOURCE=a.c\n", true, "|EXE|LIBCMT|0|||||a.c"},
        {"dsp: no SOURCE line", ReadDsp, "# Microsoft Developer Studio Project File - Name=\"x\"\r\n", false, ""},
        {"dsp: a lone CR ends a line", ReadDsp,
         "# Microsoft Developer Studio Project File - Name=\"a\rb\" - Package Owner=<4>\rSOURCE=a.c\rSOURCE=b.c\r\n",
         true, "|EXE|LIBCMT|0|||||a.c|b.c"},
    };
    for (const ReadCase& c : cases) {
        VsProject project;
        EXPECT_EQ(c.reader(c.text, project), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(Summary(project), c.summary) << c.what;
        }
    }
}

TEST(VsProjectReaders, VcprojTypeTenIsRefused) {
    VsProject project;
    ASSERT_TRUE(ReadVcproj(Vcproj("Name=\"Release|Win32\" ConfigurationType=\"10\""), project));
    EXPECT_EQ(ValidateVsProject(project), "This is not exe/dll/lib project, cannot convert to build.tvk!");
}

TEST(VsProject, SourceFilter) {
    VsProject project;
    for (const char* path : {".\\res\\app.rc", "app.h", "x.asm", "Main.CPP", "noext", "a.c.bak", "dir.v\\file",
                             ".\\.\\x.c", "m.DEF", "m.cxx", "m.c", "m.c"}) {
        AddVsSource(project, path);
    }
    EXPECT_EQ(project.sources,
              (std::vector<std::string>{"res\\app.rc", "Main.CPP", ".\\x.c", "m.DEF", "m.cxx", "m.c", "m.c"}));
}

TEST(VsProject, MacroFilter) {
    const std::pair<const char*, const char*> cases[] = {
        {"WIN32;NDEBUG;_WINDOWS;MYLIB;%(PreprocessorDefinitions)", "_WINDOWS;MYLIB"},
        {";;A;;B;", "A;B"},
        {"WIN32;_CONSOLE;_DEBUG;NDEBUG", ""},
        {"A;$(X)%;win32", "A;win32"},
    };
    for (const auto& [macros, kept] : cases) {
        EXPECT_EQ(FilterVsMacros(macros), kept) << macros;
    }
}

TEST(VsProject, EachInvalidValueIsRefusedInOrder) {
    const std::pair<VsProject, const char*> cases[] = {
        {{.targetType = 0}, "This is not exe/dll/lib project, cannot convert to build.tvk!"},
        {{.targetType = 4, .useOfMfc = 3}, "This is not exe/dll/lib project, cannot convert to build.tvk!"},
        {{.targetType = 3, .useOfMfc = 3, .runtimeLibrary = 4}, "Invalid UseOfMFC, cannot convert to build.tvk!"},
        {{.targetType = 1, .characterSet = 3, .runtimeLibrary = 4},
         "Invalid RuntimeLibrary, cannot convert to build.tvk!"},
        {{.targetType = 2, .characterSet = -1}, "Invalid CharacterSet, cannot convert to build.tvk!"},
    };
    for (const auto& [project, message] : cases) {
        EXPECT_EQ(ValidateVsProject(project), message);
    }
    EXPECT_EQ(ValidateVsProject({.targetType = 3, .useOfMfc = 2, .characterSet = 2, .runtimeLibrary = 3}),
              std::nullopt);
}

TEST(VsProject, ConvertedLayout) {
    VsProject project{.name = "app", .includes = "inc", .macros = "A", .targetType = 1, .sources = {"a.c", "b.rc"}};
    EXPECT_EQ(ConvertedProjectText(project),
              "TARGETNAME=app\r\nTARGETTYPE=EXE\r\nRUNTIMELIB=LIBCMT\r\nUSEUNICODE=1\r\n\r\nMACROS=A\r\n"
              "INCLUDES=inc\r\nLIBS=\r\nLIBPATHS=\r\nCFLAGS=\r\nLFLAGS=\r\n\r\nSOURCES= \\\r\n\ta.c \\\r\n\tb.rc\r\n"
              "\r\nPREBUILD:\r\nPOSTBUILD:\r\n");
    project.sources.clear();
    EXPECT_TRUE(ConvertedProjectText(project).ends_with("LFLAGS=\r\n\r\nPREBUILD:\r\nPOSTBUILD:\r\n"));
}

TEST(VsProject, ConvertedFileReadsBack) {
    struct Case {
        const char* what;
        VsProject project;
        std::string name;
        std::vector<std::string> includes;
        std::vector<std::string> libPaths;
    };
    const Case cases[] = {
        {"folders ending in a backslash",
         {.name = "app", .includes = "..\\inc\\;C:\\", .libPaths = "lib\\ ", .targetType = 1}, "app",
         {"..\\inc\\", "C:\\"}, {"lib\\"}},
        {"a name ending in a backslash", {.name = "app\\", .targetType = 1}, "app", {}, {}},
        {"line breaks inside values", {.name = "a\r\nb", .includes = "inc;\n  lib", .targetType = 1}, "a  b",
         {"inc", "lib"}, {}},
    };
    for (const Case& c : cases) {
        ProjectFile read;
        ProjectFileError error;
        ASSERT_TRUE(ReadProjectFile(ConvertedProjectText(c.project), read, error)) << c.what << ": " << error.message;
        EXPECT_EQ(read.targetName, c.name) << c.what;
        EXPECT_EQ(read.includes, c.includes) << c.what;
        EXPECT_EQ(read.libPaths, c.libPaths) << c.what;
    }
}

TEST(VsContainer, MemberLinesOfAnyLength) {
    const std::string longPath = std::string(600, 'd') + "\\long.vcxproj";
    const std::string solution =
        "Microsoft Visual Studio Solution File, Format Version 12.00\r\n"
        "Project(\"{8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942}\") = \"app\", \"app\\app.vcxproj\", \"{1}\"\r\n"
        "EndProject\r\n"
        "Project(\"{2150E333-8FDC-42A3-9474-1A3956D46DE8}\") = \"Docs\",\"Docs\", \"{2}\"\r\n"
        "Project(\"{8BC9CEB8}\") = \"long\", \"" + longPath + "\", \"{3}\"\r\n"
        "Project(\"{8BC9CEB8}\") no comma\r\n"
        "Project(\"{8BC9CEB8}\") = \"x\",  \"two blanks.vcxproj\"\r\n"
        "Global\r\n\tProject(\"{x}\"), \"indented.vcxproj\"\r\nEndGlobal\r\n"
        "Project(\"{8BC9CEB8}\") = \"cut\", \"cut\rhere.vcxproj\"\r"
        "Project(\"{8BC9CEB8}\") = \"after\", \"after.vcxproj\", \"{4}\"\r";
    EXPECT_EQ(SolutionMembers(solution),
              (std::vector<std::string>{"app\\app.vcxproj", "Docs", longPath, "after.vcxproj"}));

    const std::string workspace =
        "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n"
        "Project: \"app\"=.\\app\\app.dsp - Package Owner=<4>\r\n"
        "Project: \"abs\"=C:\\abs.dsp - Package Owner=<4>\r\n"
        "Project: \"open\"=.\\open.dsp\r\n"
        "Project: \"long\"=.\\" + longPath + " - Package Owner=<4>\n"
        "Project \"lib\"=.\\lib.dsp - Package Owner=<4>\r\n"
        "Project: \"cut\"=.\\cut\rhere.dsp - Package Owner=<4>\r"
        "Project: \"after\"=.\\after.dsp - Package Owner=<4>\r";
    EXPECT_EQ(WorkspaceMembers(workspace), (std::vector<std::string>{"app\\app.dsp", longPath, "after.dsp"}));
}

TEST(VsContainer, FolderListNamesEveryMember) {
    EXPECT_EQ(FolderListText({"app\\app.vcxproj", "Docs", "lib.v2\\lib.dsp"}),
              "Dirs=\\\n    app\\app.tvk \\\n    Docs \\\n    lib.v2\\lib.tvk \\\n");
}

}  // namespace
}  // namespace kelpo
