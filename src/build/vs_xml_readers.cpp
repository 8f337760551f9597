// The two XML project formats, read through the XML document model.
#include <cctype>
#include <cstring>
#include <string>

#include "build/vs_project_readers.h"
#include "xml/xml_document.h"

namespace kelpo {
namespace {

constexpr const char* releaseCondition = "'Release|Win32'";

// The element's text, or empty for a missing element or text.
std::string_view ChildText(const XmlElement& parent, const char* name) {
    const XmlElement* child = parent.FirstChild(name);
    return child != nullptr && child->Text() != nullptr ? child->Text() : "";
}

// Sets the field only when the child exists, so later groups or configurations add to earlier ones.
bool HasChild(const XmlElement& parent, const char* name) {
    return parent.FirstChild(name) != nullptr;
}

bool AttributeContains(const XmlElement& element, const char* name, const char* part) {
    const char* value = element.GetAttribute(name);
    return value != nullptr && std::strstr(value, part) != nullptr;
}

void CopyAttribute(const XmlElement& element, const char* name, std::string& field) {
    if (const char* value = element.GetAttribute(name)) {
        field = value;
    }
}

bool EqualsNoCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

// XML without a declared encoding is UTF-8; the older format usually declares Windows-1252.
bool DeclaresUtf8(const XmlDocument& document) {
    const char* encoding = document.Encoding();
    return encoding == nullptr || EqualsNoCase(encoding, "utf-8") || EqualsNoCase(encoding, "utf8");
}

void ReadVcxprojProperties(const XmlElement& group, VsProject& project) {
    const char* label = group.GetAttribute("Label");
    if (label != nullptr && std::strcmp(label, "Globals") == 0 && HasChild(group, "RootNamespace")) {
        project.name = ChildText(group, "RootNamespace");
    }
    if (!AttributeContains(group, "Condition", releaseCondition)) {
        return;
    }
    if (HasChild(group, "ConfigurationType")) {
        const std::string_view type = ChildText(group, "ConfigurationType");
        project.targetType = type == "DynamicLibrary" ? 2 : type == "StaticLibrary" ? 3 : 1;
    }
    if (HasChild(group, "UseOfMfc")) {
        const std::string_view mfc = ChildText(group, "UseOfMfc");
        project.useOfMfc = mfc == "Static" ? 1 : mfc == "Dynamic" ? 2 : 0;
    }
    if (HasChild(group, "CharacterSet")) {
        const std::string_view set = ChildText(group, "CharacterSet");
        project.characterSet = set == "MultiByte" ? 2 : set == "Unicode" ? 1 : 0;
    }
}

void ReadVcxprojDefinitions(const XmlElement& group, VsProject& project) {
    if (const XmlElement* compile = group.FirstChild("ClCompile")) {
        if (HasChild(*compile, "RuntimeLibrary")) {
            const std::string_view runtime = ChildText(*compile, "RuntimeLibrary");
            project.runtimeLibrary = runtime == "MultiThreaded" ? 0 : runtime == "MultiThreadedDebug" ? 1 : 2;
        }
        if (HasChild(*compile, "AdditionalIncludeDirectories")) {
            project.includes = ChildText(*compile, "AdditionalIncludeDirectories");
        }
        if (HasChild(*compile, "PreprocessorDefinitions")) {
            project.macros = ChildText(*compile, "PreprocessorDefinitions");
        }
    }
    if (const XmlElement* link = group.FirstChild("Link")) {
        if (HasChild(*link, "AdditionalDependencies")) {
            project.libs = ChildText(*link, "AdditionalDependencies");
        }
        if (HasChild(*link, "AdditionalLibraryDirectories")) {
            project.libPaths = ChildText(*link, "AdditionalLibraryDirectories");
        }
    }
}

void AddIncludedSources(const XmlElement& group, const char* itemName, VsProject& project) {
    for (const XmlElement* item = group.FirstChild(itemName); item != nullptr; item = item->NextSibling(itemName)) {
        if (const char* path = item->GetAttribute("Include")) {
            AddVsSource(project, path);
        }
    }
}

void ReadVcprojConfiguration(const XmlElement& configuration, VsProject& project) {
    configuration.GetAttributeInt("ConfigurationType", &project.targetType);
    configuration.GetAttributeInt("UseOfMFC", &project.useOfMfc);
    configuration.GetAttributeInt("CharacterSet", &project.characterSet);
    if (project.targetType == 4) {
        project.targetType = 3;
    }
    const char* name = configuration.GetAttribute("Name");
    if (name == nullptr || !EqualsNoCase(name, "Release|Win32")) {
        return;
    }
    for (const XmlElement* tool = configuration.FirstChild("Tool"); tool != nullptr; tool = tool->NextSibling("Tool")) {
        const char* toolName = tool->GetAttribute("Name");
        if (toolName != nullptr && std::strcmp(toolName, "VCCLCompilerTool") == 0) {
            CopyAttribute(*tool, "AdditionalIncludeDirectories", project.includes);
            CopyAttribute(*tool, "PreprocessorDefinitions", project.macros);
            tool->GetAttributeInt("RuntimeLibrary", &project.runtimeLibrary);
        } else if (toolName != nullptr && std::strcmp(toolName, "VCLinkerTool") == 0) {
            CopyAttribute(*tool, "AdditionalLibraryDirectories", project.libPaths);
        }
    }
}

// The File children of a Files or Filter element first, then its Filter children, to any depth.
void AddVcprojFiles(const XmlElement& folder, VsProject& project) {
    for (const XmlElement* file = folder.FirstChild("File"); file != nullptr; file = file->NextSibling("File")) {
        if (const char* path = file->GetAttribute("RelativePath")) {
            AddVsSource(project, path);
        }
    }
    for (const XmlElement* filter = folder.FirstChild("Filter"); filter != nullptr;
         filter = filter->NextSibling("Filter")) {
        AddVcprojFiles(*filter, project);
    }
}

}  // namespace

bool ReadVcxproj(std::string_view bytes, VsProject& project) {
    XmlDocument document;
    if (!document.Parse(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()))) {
        return false;
    }
    const XmlElement* root = document.Root()->FirstChild("Project");
    if (root == nullptr) {
        return false;
    }
    project.textsAreUtf8 = DeclaresUtf8(document);
    for (const XmlElement* group = root->FirstChild("PropertyGroup"); group != nullptr;
         group = group->NextSibling("PropertyGroup")) {
        ReadVcxprojProperties(*group, project);
    }
    for (const XmlElement* group = root->FirstChild("ItemDefinitionGroup"); group != nullptr;
         group = group->NextSibling("ItemDefinitionGroup")) {
        if (AttributeContains(*group, "Condition", releaseCondition)) {
            ReadVcxprojDefinitions(*group, project);
        }
    }
    const XmlElement* firstItems = root->FirstChild("ItemGroup");
    for (const XmlElement* group = firstItems; group != nullptr; group = group->NextSibling("ItemGroup")) {
        AddIncludedSources(*group, "ClCompile", project);
        AddIncludedSources(*group, "ResourceCompile", project);
    }
    return firstItems != nullptr;
}

bool ReadVcproj(std::string_view bytes, VsProject& project) {
    XmlDocument document;
    if (!document.Parse(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()))) {
        return false;
    }
    const XmlElement* root = document.Root()->FirstChild("VisualStudioProject");
    if (root == nullptr) {
        return false;
    }
    project.textsAreUtf8 = DeclaresUtf8(document);
    CopyAttribute(*root, "Name", project.name);
    if (const XmlElement* configurations = root->FirstChild("Configurations")) {
        for (const XmlElement* configuration = configurations->FirstChild("Configuration"); configuration != nullptr;
             configuration = configuration->NextSibling("Configuration")) {
            ReadVcprojConfiguration(*configuration, project);
        }
    }
    const XmlElement* files = root->FirstChild("Files");
    if (files == nullptr) {
        return false;
    }
    AddVcprojFiles(*files, project);
    return true;
}

}  // namespace kelpo
