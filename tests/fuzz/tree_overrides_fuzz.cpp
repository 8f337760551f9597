// Fuzz entry for "build.xml": any text is read or refused with a message, and what is read adds
// folders that are absolute and normal for every kind of build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "build_engine/build_traits.h"
#include "build_engine/engine_paths.h"
#include "build_engine/tree_overrides.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<kelpo::engine::TreeOverride> overrides;
    std::string error;
    if (!kelpo::engine::ReadTreeOverrides(text, overrides, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    for (const char* type : {"debug", "release"}) {
        const kelpo::engine::BuildTraits traits{"vc2019", "x86", type, "dll", "mfcdll", size % 2 == 0, false};
        const kelpo::engine::ExtraFlags extra = kelpo::engine::ApplyTreeOverrides(overrides, traits, "C:\\work\\app");
        for (const std::vector<std::string>* folders : {&extra.includes, &extra.libPaths}) {
            for (const std::string& folder : *folders) {
                if (!kelpo::engine::IsAbsolutePath(folder) || kelpo::engine::NormalPath(folder) != folder) std::abort();
            }
        }
    }
    return 0;
}
