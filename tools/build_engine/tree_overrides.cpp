// Reading "build.xml" through the XML document model.
#include "tree_overrides.h"

#include <algorithm>
#include <array>

#include "engine_paths.h"
#include "xml/xml_document.h"

namespace kelpo::engine {

namespace {

constexpr std::array<std::string_view, 10> knownAttributes = {
    "when", "cflags", "lflags", "libflags", "rflags", "aflags", "defines", "includes", "libs", "libpaths"};

void AppendFlags(std::string& flags, std::string_view more) {
    if (!more.empty()) {
        flags += (flags.empty() ? "" : " ") + std::string(more);
    }
}

void AppendItems(std::vector<std::string>& items, std::string_view list, std::string_view folder) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        std::string_view item = list.substr(start, end - start);
        while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) {
            item.remove_prefix(1);
        }
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) {
            item.remove_suffix(1);
        }
        if (!item.empty()) {
            items.push_back(folder.empty() ? std::string(item) : NormalPath(JoinPath(folder, item)));
        }
        start = end + 1;
    }
}

}  // namespace

bool ReadTreeOverrides(std::string_view text, std::vector<TreeOverride>& overrides, std::string& error) {
    overrides.clear();
    XmlDocument document;
    const std::string bytes(text);
    if (!document.Parse(bytes.c_str(), static_cast<std::ptrdiff_t>(bytes.size()))) {
        error = "not readable as XML";
        return false;
    }
    const XmlElement* root = document.Root()->FirstChild();
    if (root == nullptr || std::string_view(root->Name()) != "build" || root->NextSibling() != nullptr) {
        error = "the document must be one <build> element";
        return false;
    }
    for (const XmlElement* element = root->FirstChild(); element != nullptr; element = element->NextSibling()) {
        if (std::string_view(element->Name()) != "flags") {
            error = "unknown element <" + std::string(element->Name()) + "> (only <flags> belongs in <build>)";
            return false;
        }
        TreeOverride item;
        for (const XmlAttribute* attribute = element->FirstAttribute(); attribute != nullptr;
             attribute = attribute->Next()) {
            const std::string name = AsciiLower(attribute->Name());
            const std::string value = attribute->Value() == nullptr ? "" : attribute->Value();
            if (std::find(knownAttributes.begin(), knownAttributes.end(), name) == knownAttributes.end()) {
                error = "unknown attribute '" + name + "' of <flags>";
                return false;
            }
            if (name == "when") {
                if (std::string message = CheckCondition(value); !message.empty()) {
                    error = "when=\"" + value + "\": " + message;
                    return false;
                }
                item.when = value;
            } else {
                item.values.emplace_back(name, value);
            }
        }
        overrides.push_back(std::move(item));
    }
    return true;
}

ExtraFlags ApplyTreeOverrides(const std::vector<TreeOverride>& overrides, const BuildTraits& traits,
                              std::string_view folder) {
    ExtraFlags extra;
    for (const TreeOverride& item : overrides) {
        if (!ConditionHolds(item.when, traits)) {
            continue;
        }
        for (const auto& [name, value] : item.values) {
            if (name == "cflags") {
                AppendFlags(extra.cflags, value);
            } else if (name == "lflags") {
                AppendFlags(extra.lflags, value);
            } else if (name == "libflags") {
                AppendFlags(extra.libflags, value);
            } else if (name == "rflags") {
                AppendFlags(extra.rflags, value);
            } else if (name == "aflags") {
                AppendFlags(extra.aflags, value);
            } else if (name == "defines") {
                AppendItems(extra.defines, value, {});
            } else if (name == "includes") {
                AppendItems(extra.includes, value, folder);
            } else if (name == "libs") {
                AppendItems(extra.libs, value, {});
            } else if (name == "libpaths") {
                AppendItems(extra.libPaths, value, folder);
            }
        }
    }
    return extra;
}

}  // namespace kelpo::engine
