// Converting projects, workspaces and solutions over an in-memory file system: what is written
// where, what is asked and reported, and that a refused project leaves nothing behind.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "build/convert_file.h"

namespace kelpo {
namespace {

constexpr const char* vcxproj =
    "<Project><PropertyGroup Label=\"Globals\"><RootNamespace>app</RootNamespace></PropertyGroup>"
    "<PropertyGroup Condition=\"'Release|Win32'\"><ConfigurationType>Application</ConfigurationType></PropertyGroup>"
    "<ItemGroup><ClCompile Include=\"main.c\"/></ItemGroup></Project>";
constexpr const char* appTvk =
    "TARGETNAME=app\r\nTARGETTYPE=EXE\r\nRUNTIMELIB=LIBCMT\r\nUSEUNICODE=1\r\n\r\nMACROS=\r\nINCLUDES=\r\nLIBS=\r\n"
    "LIBPATHS=\r\nCFLAGS=\r\nLFLAGS=\r\n\r\nSOURCES= \\\r\n\tmain.c\r\n\r\nPREBUILD:\r\nPOSTBUILD:\r\n";
constexpr const char* dsp = "# Microsoft Developer Studio Project File - Name=\"lib\"\r\nSOURCE=.\\lib.c\r\n";

std::string Narrow(std::wstring_view text) {
    return std::string(text.begin(), text.end());
}

class ConvertFileTest : public ::testing::Test {
protected:
    ConvertFileTest() {
        files_.read = [this](const std::wstring& path) -> std::optional<std::string> {
            const auto found = disk_.find(path);
            return found == disk_.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
        files_.exists = [this](const std::wstring& path) { return disk_.contains(path); };
        files_.write = [this](const std::wstring& path, std::string_view bytes) {
            disk_[path] = bytes;
            return true;
        };
        files_.fromAnsi = [](std::string_view text) { return std::wstring(text.begin(), text.end()); };
        files_.toAnsi = Narrow;
        reports_.output = [this](std::string_view text) { output_ += text; };
        reports_.askOverwrite = [this](const std::wstring& path) {
            asked_.push_back(Narrow(path));
            return answer_;
        };
        reports_.showError = [this](const std::string& message) { errors_.push_back(message); };
    }

    bool Convert(const std::wstring& path) { return ConvertFile(path, files_, reports_); }

    std::map<std::wstring, std::string> disk_;
    ConvertFileAccess files_;
    ConvertReports reports_;
    std::string output_;
    std::vector<std::string> asked_;
    std::vector<std::string> errors_;
    bool answer_ = false;
};

TEST_F(ConvertFileTest, SingleProjectGoesBesideItAsBuildTvk) {
    disk_[L"C:\\p\\app.vcxproj"] = vcxproj;
    EXPECT_TRUE(Convert(L"C:\\p\\app.vcxproj"));
    EXPECT_EQ(disk_[L"C:\\p\\build.tvk"], appTvk);
    EXPECT_EQ(output_, "Convert C:\\p\\app.vcxproj to C:\\p\\build.tvk\n");
}

TEST_F(ConvertFileTest, TextsEndUpInTheAnsiCodePage) {
    const std::pair<const wchar_t*, std::string> cases[] = {
        {L"C:\\p\\u.vcxproj",
         "\xEF\xBB\xBF<Project><PropertyGroup Label=\"Globals\"><RootNamespace>caf\xC3\xA9</RootNamespace>"
         "</PropertyGroup><PropertyGroup Condition=\"'Release|Win32'\"><ConfigurationType>Application"
         "</ConfigurationType></PropertyGroup><ItemGroup><ClCompile Include=\"\xC3\xA9.c\"/></ItemGroup></Project>"},
        {L"C:\\p\\w.vcproj",
         "<?xml version=\"1.0\" encoding=\"Windows-1252\"?><VisualStudioProject Name=\"caf\xE9\"><Configurations>"
         "<Configuration ConfigurationType=\"1\"/></Configurations><Files><File RelativePath=\"\xE9.c\"/></Files>"
         "</VisualStudioProject>"},
    };
    answer_ = true;
    for (const auto& [path, text] : cases) {
        disk_[path] = text;
        EXPECT_TRUE(Convert(path)) << Narrow(path);
        const std::string& written = disk_[L"C:\\p\\build.tvk"];
        EXPECT_TRUE(written.starts_with("TARGETNAME=caf\xE9\r\n")) << written;
        EXPECT_NE(written.find("\t\xE9.c\r\n"), std::string::npos) << written;
    }
}

TEST_F(ConvertFileTest, OnlyExactLowerCaseExtensionsConvert) {
    for (const wchar_t* path : {L"C:\\p\\App.VCXPROJ", L"C:\\p\\app.xml", L"C:\\p.d\\noext"}) {
        disk_[path] = vcxproj;
        EXPECT_FALSE(Convert(path)) << Narrow(path);
    }
    EXPECT_EQ(disk_.size(), 3u);
    EXPECT_EQ(output_, "");
}

TEST_F(ConvertFileTest, RefusedProjectLeavesNoFileAndShowsWhy) {
    const std::string before = "old";
    disk_[L"C:\\p\\build.tvk"] = before;
    for (const char* configuration : {"ConfigurationType=\"10\"", "ConfigurationType=\"1\" CharacterSet=\"3\""}) {
        disk_[L"C:\\p\\u.vcproj"] = std::string("<VisualStudioProject Name=\"u\"><Configurations><Configuration ") +
                                    configuration + "/></Configurations><Files/></VisualStudioProject>";
        answer_ = true;
        EXPECT_FALSE(Convert(L"C:\\p\\u.vcproj"));
        disk_.erase(L"C:\\p\\build.tvk");
        EXPECT_FALSE(Convert(L"C:\\p\\u.vcproj"));
        EXPECT_FALSE(disk_.contains(L"C:\\p\\build.tvk"));
        disk_[L"C:\\p\\build.tvk"] = before;
    }
    EXPECT_EQ(errors_, (std::vector<std::string>{"This is not exe/dll/lib project, cannot convert to build.tvk!",
                                                 "This is not exe/dll/lib project, cannot convert to build.tvk!",
                                                 "Invalid CharacterSet, cannot convert to build.tvk!",
                                                 "Invalid CharacterSet, cannot convert to build.tvk!"}));
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(output_, "");
}

TEST_F(ConvertFileTest, ExistingOutputIsReplacedOnlyWhenTheAnswerIsYes) {
    disk_[L"C:\\p\\app.vcxproj"] = vcxproj;
    disk_[L"C:\\p\\build.tvk"] = "old";
    EXPECT_FALSE(Convert(L"C:\\p\\app.vcxproj"));
    EXPECT_EQ(disk_[L"C:\\p\\build.tvk"], "old");
    answer_ = true;
    EXPECT_TRUE(Convert(L"C:\\p\\app.vcxproj"));
    EXPECT_EQ(disk_[L"C:\\p\\build.tvk"], appTvk);
    EXPECT_EQ(asked_, (std::vector<std::string>{"C:\\p\\build.tvk", "C:\\p\\build.tvk"}));

    reports_.askOverwrite = nullptr;  // nobody to ask: the file stays
    disk_[L"C:\\p\\build.tvk"] = "old";
    EXPECT_FALSE(Convert(L"C:\\p\\app.vcxproj"));
    EXPECT_EQ(disk_[L"C:\\p\\build.tvk"], "old");
}

TEST_F(ConvertFileTest, SolutionConvertsEveryReadableMemberAndListsThemAll) {
    const std::string deep = std::string(600, 'd');
    disk_[L"C:\\s\\all.sln"] =
        "Project(\"{A}\") = \"app\", \"app\\app.vcxproj\", \"{1}\"\r\nEndProject\r\n"
        "Project(\"{F}\") = \"Docs\", \"Docs\", \"{2}\"\r\nEndProject\r\n"
        "Project(\"{A}\") = \"gone\", \"gone\\gone.vcxproj\", \"{3}\"\r\nEndProject\r\n"
        "Project(\"{A}\") = \"lib\", \"" + deep + "\\lib.dsp\", \"{4}\"\r\nEndProject\r\n"
        "Project(\"{A}\") = \"bad\", \"D:\\bad.vcproj\", \"{5}\"\r\nEndProject\r\n";
    disk_[L"C:\\s\\app\\app.vcxproj"] = vcxproj;
    disk_[L"C:\\s\\" + std::wstring(deep.begin(), deep.end()) + L"\\lib.dsp"] = dsp;
    disk_[L"D:\\bad.vcproj"] = "<VisualStudioProject/>";
    EXPECT_FALSE(Convert(L"C:\\s\\all.sln"));

    EXPECT_EQ(disk_[L"C:\\s\\app\\app.tvk"], appTvk);
    EXPECT_TRUE(disk_[L"C:\\s\\" + std::wstring(deep.begin(), deep.end()) + L"\\lib.tvk"].starts_with(
        "TARGETNAME=lib\r\n"));
    EXPECT_EQ(disk_[L"C:\\s\\build.tvk"], "Dirs=\\\n    app\\app.tvk \\\n    Docs \\\n    gone\\gone.tvk \\\n    " +
                                              deep + "\\lib.tvk \\\n    D:\\bad.tvk \\\n");
    EXPECT_EQ(output_, "Convert C:\\s\\app\\app.vcxproj to C:\\s\\app\\app.tvk\n"
                       "Error: cannot read C:\\s\\gone\\gone.vcxproj\n"
                       "Convert C:\\s\\" + deep + "\\lib.dsp to C:\\s\\" + deep + "\\lib.tvk\n"
                       "Error: cannot read D:\\bad.vcproj as a project file\n");
    EXPECT_FALSE(disk_.contains(L"D:\\bad.tvk"));
}

TEST_F(ConvertFileTest, WorkspaceWithOneMemberGetsNoFolderList) {
    disk_[L"C:\\w\\one.dsw"] = "Project: \"lib\"=.\\lib\\lib.dsp - Package Owner=<4>\r\n";
    disk_[L"C:\\w\\lib\\lib.dsp"] = dsp;
    EXPECT_TRUE(Convert(L"C:\\w\\one.dsw"));
    EXPECT_TRUE(disk_.contains(L"C:\\w\\lib\\lib.tvk"));
    EXPECT_FALSE(disk_.contains(L"C:\\w\\build.tvk"));
}

TEST_F(ConvertFileTest, ExistingFolderListIsAskedAbout) {
    disk_[L"C:\\w\\two.dsw"] = "Project: \"a\"=.\\a.dsp - Package Owner=<4>\nProject: \"b\"=.\\b.dsp - Package\n";
    disk_[L"C:\\w\\a.dsp"] = dsp;
    disk_[L"C:\\w\\b.dsp"] = dsp;
    disk_[L"C:\\w\\build.tvk"] = "old";
    EXPECT_FALSE(Convert(L"C:\\w\\two.dsw"));
    EXPECT_EQ(disk_[L"C:\\w\\build.tvk"], "old");
    EXPECT_EQ(asked_, std::vector<std::string>{"C:\\w\\build.tvk"});
    EXPECT_TRUE(disk_.contains(L"C:\\w\\a.tvk"));
    EXPECT_TRUE(disk_.contains(L"C:\\w\\b.tvk"));
}

}  // namespace
}  // namespace kelpo
