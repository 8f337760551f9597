// Fuzz entry for "vc.mk": any text is read or refused with a line inside it, and what is read
// resolves for every kind of build.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "build_engine/build_traits.h"
#include "build_engine/make_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Lines end at LF, CR LF or a lone CR.
    int lastLine = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lastLine;
    }
    kelpo::engine::MakeRules rules;
    kelpo::engine::MakeError error;
    if (!kelpo::engine::ReadMakeRules(text, rules, error)) {
        if (error.line < 1 || error.line > lastLine || error.message.empty()) std::abort();
        return 0;
    }
    for (const kelpo::engine::MakeSection& section : rules.sections) {
        // A section is only read when its condition names known words.
        if (!kelpo::engine::CheckCondition(section.condition).empty()) std::abort();
    }
    for (const char* type : {"debug", "release"}) {
        for (const char* target : {"exe", "dll", "sys", "lib"}) {
            const kelpo::engine::BuildTraits traits{"vc2022", "x64", type, target, "libcmt", size % 2 == 0,
                                                    size % 3 == 0};
            kelpo::engine::ResolveMakeRules(rules, traits);
        }
    }
    return 0;
}
