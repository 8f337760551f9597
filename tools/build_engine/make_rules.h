// "vc.mk": the compile, resource, assembler, link and library rules of build.exe and their flags,
// in sections that apply to some builds only. Read once per run, resolved per project.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "build_traits.h"

namespace kelpo::engine {

struct MakeAssignment {
    std::string key;  // lower case
    bool append = false;
    std::string value;
};

struct MakeSection {
    std::string condition;  // empty for the lines before the first section
    std::vector<MakeAssignment> assignments;
};

struct MakeRules {
    std::vector<MakeSection> sections;
};

// Lines count from 1.
struct MakeError {
    int line = 0;
    std::string message;
};

// Syntax, one item per line (CR LF or LF):
//   # comment                 also "; comment"; empty lines mean nothing
//   [condition]               starts a section; see build_traits.h for the condition words
//   key = value               sets the key for the builds the section applies to
//   key += value              adds to it after one blank
// Keys (any case): the programs compiler, linker, librarian, rc, assembler; the flags cflags,
// lflags, libflags, rflags, aflags, libs, pch_create, pch_use; the command rules compile,
// resource, assemble, link, archive; deps_prefix (the compiler's /showIncludes prefix when not
// English). Values are Ninja text: "$name" names a variable, "$$" is a dollar sign.
bool ReadMakeRules(std::string_view text, MakeRules& rules, MakeError& error);

// The values in effect for one build: every section whose condition holds, in file order.
std::map<std::string, std::string> ResolveMakeRules(const MakeRules& rules, const BuildTraits& traits);

}  // namespace kelpo::engine
