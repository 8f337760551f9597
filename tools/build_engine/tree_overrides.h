// "build.xml": per-tree additions to the flags of vc.mk, e.g. a define for every debug build below a
// folder. The nearest one upward from the project's folder counts, else the program folder's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "build_traits.h"

namespace kelpo::engine {

// What the overrides add to a build: flags joined with one blank, lists in file order.
struct ExtraFlags {
    std::string cflags;
    std::string lflags;
    std::string libflags;
    std::string rflags;
    std::string aflags;
    std::vector<std::string> defines;
    std::vector<std::string> includes;  // absolute
    std::vector<std::string> libs;
    std::vector<std::string> libPaths;  // absolute
};

struct TreeOverride {
    std::string when;
    std::vector<std::pair<std::string, std::string>> values;  // attribute name (lower case), value
};

// The text is
//   <build>
//     <flags when="debug x64" cflags="/W4" lflags="" libflags="" rflags="" aflags=""
//            defines="TRACE;LEVEL=2" includes="inc;..\common" libs="ws2_32.lib" libpaths="lib"/>
//   </build>
// with any number of <flags> elements, every attribute optional; "when" takes the condition words
// of vc.mk (build_traits.h). On a fault returns false with a message.
bool ReadTreeOverrides(std::string_view text, std::vector<TreeOverride>& overrides, std::string& error);

// The additions of every override whose condition holds; relative folders are taken from `folder`
// (the folder of build.xml). ";" separates list items.
ExtraFlags ApplyTreeOverrides(const std::vector<TreeOverride>& overrides, const BuildTraits& traits,
                              std::string_view folder);

}  // namespace kelpo::engine
