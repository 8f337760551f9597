// What a section of "vc.mk" or an override of "build.xml" can ask about the build at hand.
#pragma once

#include <string>
#include <string_view>

namespace kelpo::engine {

// All texts in lower case.
struct BuildTraits {
    std::string tool;        // "vc2022"
    std::string arch;        // "x86", "x64", "arm64", "arm"
    std::string type;        // "debug", "release"
    std::string targetType;  // "exe", "dll", "sys", "lib"
    std::string runtimeLib;  // "libcmt", "mfcstatic", "mfcdll", "msvcrxx", "none"
    bool unicode = false;
    bool pch = false;
};

// A condition is a list of words separated by blanks, all of which must hold. A word holds when
// one of its alternatives joined by "|" holds; "!" before a word turns it round. Words: debug,
// release, exe, dll, sys, lib, libcmt, mfcstatic, mfcdll, msvcrxx, none, unicode, ansi, pch, x86,
// x64, arm64, arm and the tool ids vc6 ... vc2022; matched without regard to case. An empty
// condition always holds.
bool ConditionHolds(std::string_view condition, const BuildTraits& traits);
// An empty text when every word is known, otherwise a message naming the first unknown one.
std::string CheckCondition(std::string_view condition);

}  // namespace kelpo::engine
