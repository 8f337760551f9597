// The recent lists of the program: their limits, loading and saving them in "mru.ini", and
// the opened files that feed them.
#include "base/recent_lists.h"

#include <windows.h>

#include <algorithm>

#include "base/app_state.h"
#include "base/ini_file.h"
#include "base/ini_section_text.h"
#include "base/ini_text_file.h"

namespace kelpo {
namespace {

// Recent paths and search texts are told apart the way the file system tells names apart.
bool SameTextLikeFileSystem(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

struct ListSection {
    RecentList RecentLists::*list;
    const wchar_t* section;
};

constexpr ListSection kSections[] = {
    {&RecentLists::files, L"Files"},         {&RecentLists::projects, L"Projects"},
    {&RecentLists::find, L"Find"},           {&RecentLists::replace, L"Replace"},
    {&RecentLists::findType, L"FindType"},   {&RecentLists::findWhere, L"FindWhere"},
};

int MruSizeOf(const AppState& app) { return std::clamp(app.settings.mruSize, 0, kRecentListSlots); }

// A list that was never loaded (limit 0) and has not changed keeps what the file holds.
bool ShouldSave(const RecentList& list) { return list.Limit() != 0 || list.Changed(); }

}  // namespace

RecentLists::RecentLists()
    : files(kDefaultMruSize, SameTextLikeFileSystem),
      projects(kDefaultMruSize, SameTextLikeFileSystem),
      find(kSearchHistoryLimit, SameTextLikeFileSystem),
      replace(kSearchHistoryLimit, SameTextLikeFileSystem),
      findType(kSearchHistoryLimit, SameTextLikeFileSystem),
      findWhere(kSearchHistoryLimit, SameTextLikeFileSystem) {}

void LoadRecent(RecentList& list, const std::wstring& iniPath, const wchar_t* section) {
    if (list.Limit() == 0) {
        return;
    }
    if (const std::optional<std::wstring> text = ReadIniText(iniPath)) {
        list.AppendLoaded(ReadSectionLines(*text, section));
    }
}

bool SaveRecent(RecentList& list, const std::wstring& iniPath, const wchar_t* section) {
    const std::optional<std::wstring> text = ReadIniText(iniPath);
    if (!text || !WriteIniText(iniPath, ReplaceSection(*text, section, list.Entries()))) {
        return false;
    }
    list.MarkSaved();
    return true;
}

void LoadRecentLists(AppState& app) {
    app.recent = RecentLists();
    app.recent.files.SetRecentLimit(MruSizeOf(app));
    app.recent.projects.SetRecentLimit(MruSizeOf(app));
    const std::optional<std::wstring> text = ReadIniText(app.paths.recentFile);
    if (!text) {
        return;
    }
    for (const ListSection& entry : kSections) {
        RecentList& list = app.recent.*entry.list;
        if (list.Limit() != 0) {
            list.AppendLoaded(ReadSectionLines(*text, entry.section));
        }
    }
}

void SaveRecentLists(AppState& app) {
    std::optional<std::wstring> text = ReadIniText(app.paths.recentFile);
    if (!text) {
        return;
    }
    for (const ListSection& entry : kSections) {
        const RecentList& list = app.recent.*entry.list;
        if (ShouldSave(list)) {
            *text = ReplaceSection(*text, entry.section, list.Entries());
        }
    }
    if (!WriteIniText(app.paths.recentFile, *text)) {
        return;
    }
    for (const ListSection& entry : kSections) {
        (app.recent.*entry.list).MarkSaved();
    }
}

void AddRecentFile(const std::wstring& path, bool isProject) {
    RecentLists& recent = App().recent;
    (isProject ? recent.projects : recent.files).AddRecent(path);
}

bool SetMruSize(AppState& app, int size) {
    if (size < 0 || size > kRecentListSlots) {
        return false;
    }
    app.recent.files.SetRecentLimit(size);
    app.recent.projects.SetRecentLimit(size);
    app.settings.mruSize = size;
    IniFile(app.paths.settingsFile).WriteInt(L"MruSize", size);
    return true;
}

}  // namespace kelpo
