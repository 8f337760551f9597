// The favourites tree on the XML document model, without windows.
#include "panes/favorites_model.h"

#include <algorithm>
#include <cwctype>

namespace kelpo {

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsFileEntry(const XmlElement& element) {
    const std::string_view name = element.Name() != nullptr ? element.Name() : "";
    return name != "category" && name != "separator";
}

void PlanChildren(const XmlElement& parent, bool labelsShowPaths, FavoriteMenuPlan& plan, int& nextCommand) {
    for (const XmlElement* child = parent.FirstChild(); child != nullptr; child = child->NextSibling()) {
        const std::string_view name = child->Name() != nullptr ? child->Name() : "";
        FavoriteMenuRow row;
        if (name == "category") {
            row.kind = FavoriteRowKind::Popup;
            row.label = child->GetAttribute("name") != nullptr ? child->GetAttribute("name") : "";
            plan.rows.push_back(std::move(row));
            PlanChildren(*child, labelsShowPaths, plan, nextCommand);
            FavoriteMenuRow end;
            end.kind = FavoriteRowKind::End;
            plan.rows.push_back(std::move(end));
        } else if (name == "separator") {
            row.kind = FavoriteRowKind::Separator;
            plan.rows.push_back(std::move(row));
        } else if (nextCommand > kLastFavoriteCommand) {
            ++plan.overflow;
        } else {
            row.path = child->Text() != nullptr ? child->Text() : "";
            const char* label = child->GetAttribute("name");
            row.label = labelsShowPaths || label == nullptr ? row.path : label;
            const char* folder = child->GetAttribute("d");
            row.folder = folder != nullptr && std::string_view(folder) == "1";
            row.command = nextCommand++;
            plan.rows.push_back(std::move(row));
        }
    }
}

}  // namespace

OldFavoriteLine ParseOldFavoriteLine(std::wstring_view line) {
    OldFavoriteLine result;
    if (!line.empty() && line.front() == L'-') {
        result.separator = true;
        return result;
    }
    if (const std::size_t equals = line.rfind(L'='); equals != std::wstring_view::npos) {
        result.path = line.substr(0, equals);
        result.name = line.substr(equals + 1);
        return result;
    }
    if (!line.empty() && line.back() == L'\\') {
        line.remove_suffix(1);
    }
    result.path = line;
    result.name = LabelOfPath(line);
    return result;
}

std::wstring LabelOfPath(std::wstring_view path) {
    if (!path.empty() && path.back() == L'\\') {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

XmlElement* FavoritesRoot(XmlDocument& document, bool create) {
    if (XmlElement* root = document.FindPath(kFavoritesRootName)) {
        return root;
    }
    if (!create) {
        return nullptr;
    }
    XmlElement* root = document.CreateElement(kFavoritesRootName);
    if (root != nullptr) {
        document.AppendTopLevel(root);
    }
    return root;
}

const XmlElement* FindFavoriteByPath(const XmlElement& parent, std::string_view path) {
    for (const XmlElement* child = parent.FirstChild(); child != nullptr; child = child->NextSibling()) {
        const std::string_view name = child->Name() != nullptr ? child->Name() : "";
        if (name == "category") {
            if (const XmlElement* found = FindFavoriteByPath(*child, path)) {
                return found;
            }
        } else if (IsFileEntry(*child) && child->Text() != nullptr && EqualsIgnoringAsciiCase(child->Text(), path)) {
            return child;
        }
    }
    return nullptr;
}

bool AppendFavoriteFile(XmlDocument& document, XmlElement& parent, const std::string& name, const std::string& path) {
    XmlElement* file = document.CreateElement("file");
    if (file == nullptr) {
        return false;
    }
    file->SetAttribute("name", name.c_str());
    file->SetText(path.c_str());
    parent.AppendChild(file);
    return true;
}

bool AppendFavoriteSeparator(XmlDocument& document, XmlElement& parent) {
    XmlElement* separator = document.CreateElement("separator");
    if (separator == nullptr) {
        return false;
    }
    parent.AppendChild(separator);
    return true;
}

FavoriteMenuPlan PlanFavoritesMenu(const XmlElement& root, bool labelsShowPaths) {
    FavoriteMenuPlan plan;
    int nextCommand = kFirstFavoriteCommand;
    PlanChildren(root, labelsShowPaths, plan, nextCommand);
    return plan;
}

int CompareIgnoringCase(const wchar_t* a, const wchar_t* b) {
    for (;; ++a, ++b) {
        const auto x = std::towlower(static_cast<wint_t>(*a));
        const auto y = std::towlower(static_cast<wint_t>(*b));
        if (x != y) {
            return x < y ? -1 : 1;
        }
        if (x == 0) {
            return 0;
        }
    }
}

std::wstring ExtensionOfPath(std::wstring_view path) {
    const std::size_t dot = path.rfind(L'.');
    if (dot != std::wstring_view::npos) {
        return std::wstring(path.substr(dot + 1));
    }
    const std::size_t slash = path.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

void SortFavoriteItems(std::vector<FavoriteSortItem>& items, FavoriteSortKey key, bool ascending,
                       TextCompare compare) {
    // A rank digit in front of the key keeps the groups apart; descending flips the digit and
    // negates the result, so the groups keep their order and only the texts within are reversed.
    auto text = [&](const FavoriteSortItem& item) {
        const int rank = static_cast<int>(item.rank);
        std::wstring result(1, static_cast<wchar_t>(L'0' + (ascending ? rank : 3 - rank)));
        switch (key) {
        case FavoriteSortKey::Name:
            return result + item.name;
        case FavoriteSortKey::Path:
            return result + item.path;
        case FavoriteSortKey::Type:
            return result + ExtensionOfPath(item.path);
        }
        return result;
    };
    std::stable_sort(items.begin(), items.end(), [&](const FavoriteSortItem& a, const FavoriteSortItem& b) {
        const int order = compare(text(a).c_str(), text(b).c_str());
        return ascending ? order < 0 : order > 0;
    });
}

}  // namespace kelpo
