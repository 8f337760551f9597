// Fuzz entry for the lines of the output and result panes: any line gives a place taken from it
// or nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "build/output_line.h"
#include "doc/message_line.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks whether the line's bytes are taken one or two to a character.
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::wstring line = (data[0] & 1) != 0 ? kelpo::fuzz::WideUnits(bytes) : kelpo::fuzz::Widen(bytes);

    if (const std::optional<kelpo::MessageLocation> location = kelpo::ParseMessageLine(line)) {
        if (location->line < 0 || location->file.size() >= line.size() ||
            line.find(location->file) == std::wstring::npos) {
            std::abort();
        }
    }
    const std::wstring folder = L"C:\\build\\";
    const kelpo::OutputLineTarget target = kelpo::ReadOutputLine(line, folder);
    if (target.line < 0 || (target.action == kelpo::OutputLineAction::None) != target.files.empty()) std::abort();
    for (const std::wstring& file : target.files) {
        if (file.empty() || file.size() > line.size() + folder.size()) std::abort();
    }
    return 0;
}
