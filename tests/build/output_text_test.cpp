// The output pane's line colours and the conversion of the engine's output in uneven chunks.
#include <gtest/gtest.h>

#include "build/output_decoder.h"
#include "build/output_lexer.h"

namespace kelpo {
namespace {

TEST(OutputText, OurTwoRulesFollowTheFirstCharacterTests) {
    const std::optional<int> standard;
    struct Case {
        const char* line;
        std::optional<int> style;
    } cases[] = {
        {"d:\\src\\a.cpp(3) : warning C4996: an error later", kOutputWarningStyle},
        {"a.cpp(1): error C2065: x\r\n", kOutputErrorStyle},
        {"LINK : fatal error LNK1104: cannot open", kOutputErrorStyle},
        {"- error in a removed line", standard},
        {"> warning in a command line", standard},
        {"<!+ error ", standard},
        {"error", standard},
        {"warning\r\n", standard},
        {"Warning with a capital", standard},
        {"", standard},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OutputLineStyle(c.line), c.style) << c.line;
    }
}

// A code page of two-byte characters whose first byte is 0x81: a split between the two bytes
// must not reach the conversion.
AnsiCodePage PairCodePage() {
    AnsiCodePage page;
    page.toUtf16 = [](std::string_view ansi) -> std::optional<std::u16string> {
        std::u16string text;
        for (std::size_t i = 0; i < ansi.size(); ++i) {
            if (static_cast<unsigned char>(ansi[i]) == 0x81) {
                if (i + 1 == ansi.size()) return std::nullopt;
                text += static_cast<char16_t>(0x3000 + static_cast<unsigned char>(ansi[++i]));
            } else {
                text += static_cast<char16_t>(static_cast<unsigned char>(ansi[i]));
            }
        }
        return text;
    };
    page.fromUtf16 = [](std::u16string_view) { return std::optional<std::string>(); };
    return page;
}

TEST(OutputText, ChunksComeOutAsWholeConvertedLines) {
    struct Case {
        std::vector<std::string> chunks;
        std::vector<std::string> fed;  // what each chunk gives, then what the flush gives
    } cases[] = {
        {{"a\r\nb", "c\r\n"}, {"a\r\n", "bc\r\n", ""}},
        {{"x\x81", "\x41(1): e\r\nlast"}, {"", "x\xE3\x81\x81(1): e\r\n", "last"}},
        {{"one\ntwo\n", "", "\x81\x42"}, {"one\ntwo\n", "", "", "\xE3\x81\x82"}},
        {{"\x81"}, {"", "\xEF\xBF\xBD"}},
    };
    for (const Case& c : cases) {
        OutputDecoder decoder(PairCodePage());
        std::vector<std::string> fed;
        for (const std::string& chunk : c.chunks) {
            fed.push_back(decoder.Feed(chunk));
        }
        fed.push_back(decoder.Flush());
        EXPECT_EQ(fed, c.fed) << c.chunks.front();
    }
}

}  // namespace
}  // namespace kelpo
