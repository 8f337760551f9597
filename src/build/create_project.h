// Creating "build.tvk" from a folder of sources: the kind of target is guessed from the entry
// points the sources define, every source of the folder is listed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build/project_file.h"
#include "build/text_sink.h"

namespace kelpo {

struct TargetKind {
    const char* targetType;
    const char* runtimeLib;
};

// The kind a line of source reveals: a line starting "BEGIN_MESSAGE_MAP(" (MFC program), or the
// first "DllMain", "DriverEntry", "main" or "WinMain" in it followed by blanks or tabs and "(",
// tested in that order and case-sensitively ("domain(" counts as "main(").
std::optional<TargetKind> TargetKindOfLine(std::string_view line);
// The kind of the first line of these file texts that reveals one; a static library otherwise.
// Lines longer than 511 bytes are looked at in pieces of 511.
TargetKind TargetKindOfSources(const std::vector<std::string>& texts);

// "*.c;*.cpp;*.cxx", without regard to case: the files scanned for entry points.
bool IsScannedSource(std::wstring_view name);
// "*.c;*.cpp;*.cxx;*.rc;*.def;*.asm", except names holding "stdafx.c" or "precomp.c" in any case.
bool IsListedSource(std::wstring_view name);

// The created project: the defaults or the found kind, Unicode, the precompiled header and the
// sources (ANSI, relative to the folder) in the order given.
ProjectFile CreatedProject(std::string name, const TargetKind& kind, std::string pch, std::vector<std::string> sources);

// Asked with the path of an existing "build.tvk": true replaces it, false keeps it.
using ReplaceExisting = std::function<bool(const std::wstring& path)>;

// Writes "build.tvk" in the folder (made absolute) through the whole-file writer, telling the
// sink the folder, the project name and the written text. An existing file is replaced only
// when `replace` says so; a kept file is told to the sink. False when nothing was written.
bool CreateProject(const std::wstring& folder, const TextSink& out, const ReplaceExisting& replace);

// The windowed editor's answer: the existing file is kept.
bool KeepExistingProject(const std::wstring& path);

}  // namespace kelpo
