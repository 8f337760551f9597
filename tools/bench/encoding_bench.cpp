// Throughput of encoding detection and conversion on generated 60 MB buffers.
// Build: g++ -O2 -std=c++20 -Isrc tools/bench/encoding_bench.cpp src/doc/utf8_validator.cpp
//        src/doc/encoding_detection.cpp src/doc/text_conversion.cpp src/doc/file_codec.cpp -o encoding_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "base/text_conversion.h"
#include "doc/encoding_detection.h"
#include "doc/file_codec.h"
#include "doc/utf8_validator.h"

namespace {

using namespace kelpo;

constexpr std::size_t kSize = 60u * 1024u * 1024u;
constexpr int kRepeats = 5;

std::size_t sink = 0;  // keeps results alive

std::string Repeat(std::string_view pattern) {
    std::string s;
    s.reserve(kSize + pattern.size());
    while (s.size() < kSize) s.append(pattern);
    s.resize(kSize);
    return s;
}

std::string AsciiSource() {
    return Repeat("    for (int i = 0; i < count; ++i) { total += values[i] * weight; }  // sum\r\n"
                  "static const char* kName = \"example\";\r\n");
}

// French prose: an accented letter every dozen bytes or so. The pattern is
// whole characters, so cutting the repeat can only split the final one.
std::string AccentedUtf8() {
    std::string s = Repeat("L'\xC3\xA9t\xC3\xA9 \xC3\xA0 la for\xC3\xAA" "t, o\xC3\xB9 le gar\xC3\xA7on "
                           "na\xC3\xAF" "f mange une cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e.\r\n");
    while (!IsWellFormedUtf8(s)) s.pop_back();
    return s;
}

// Source code with an accented word in every comment line.
std::string MostlyAsciiUtf8() {
    std::string s = Repeat("    // Calcule la dur\xC3\xA9" "e totale\r\n"
                           "    for (int i = 0; i < count; ++i) { total += values[i] * weight; }\r\n"
                           "    static const char* kName = \"example\";\r\n");
    while (!IsWellFormedUtf8(s)) s.pop_back();
    return s;
}

std::string Latin1Accented() {
    return Repeat("L'\xE9t\xE9 \xE0 la for\xEAt, o\xF9 le gar\xE7on na\xEF" "f mange une cr\xE8me br\xFBl\xE9" "e.\r\n");
}

AnsiCodePage Latin1() {
    return AnsiCodePage{
        [](std::string_view ansi) -> std::optional<std::u16string> {
            std::u16string units(ansi.size(), u'\0');
            std::transform(ansi.begin(), ansi.end(), units.begin(),
                           [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
            return units;
        },
        [](std::u16string_view utf16) -> std::optional<std::string> {
            std::string bytes(utf16.size(), '\0');
            std::transform(utf16.begin(), utf16.end(), bytes.begin(),
                           [](char16_t u) { return u < 0x100 ? static_cast<char>(u) : '?'; });
            return bytes;
        },
    };
}

void Measure(const char* what, std::size_t bytes, const std::function<std::size_t()>& run) {
    double best = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        sink += run();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        best = std::min(best, seconds.count());
    }
    std::printf("%-44s %9.0f MB/s  (%.1f ms)\n", what, static_cast<double>(bytes) / best / 1e6, best * 1e3);
}

void MeasureLoad(const char* what, const std::string& fileBytes, const AnsiCodePage& ansi) {
    double best = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        std::string copy = fileBytes;  // the load takes its buffer, as it does from the file read
        const auto start = std::chrono::steady_clock::now();
        const std::optional<DecodedFile> decoded = DecodeFileBytes(std::move(copy), LoadOptions{}, ansi);
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        sink += decoded ? decoded->text.size() : 0;
        best = std::min(best, seconds.count());
    }
    std::printf("%-44s %9.0f MB/s  (%.1f ms)\n", what, static_cast<double>(fileBytes.size()) / best / 1e6,
                best * 1e3);
}

}  // namespace

int main() {
    const AnsiCodePage ansi = Latin1();
    const std::string ascii = AsciiSource();
    const std::string accented = AccentedUtf8();
    const std::string mostlyAscii = MostlyAsciiUtf8();
    const std::string utf16le = "\xFF\xFE" + Utf8ToUtf16Bytes(accented, ByteOrder::LittleEndian).substr(0, kSize - 2);
    const std::string latin1 = Latin1Accented();
    const std::string accentedUtf16Text = Utf16BytesToUtf8(std::string_view(utf16le).substr(2), ByteOrder::LittleEndian);

    std::printf("buffers of %zu bytes; MB = 10^6 bytes; best of %d runs\n\n", kSize, kRepeats);
    std::printf("validation\n");
    Measure("  IsWellFormedUtf8  ASCII", ascii.size(), [&] { return std::size_t{IsWellFormedUtf8(ascii)}; });
    Measure("  IsWellFormedUtf8  UTF-8 source, accent per comment", mostlyAscii.size(),
            [&] { return std::size_t{IsWellFormedUtf8(mostlyAscii)}; });
    Measure("  IsWellFormedUtf8  UTF-8 prose, accent per word", accented.size(),
            [&] { return std::size_t{IsWellFormedUtf8(accented)}; });
    Measure("  ScanUtf8          ASCII", ascii.size(), [&] { return ScanUtf8(ascii).utf16Length; });
    Measure("  ScanUtf8          UTF-8 source, accent per comment", mostlyAscii.size(),
            [&] { return ScanUtf8(mostlyAscii).utf16Length; });
    Measure("  ScanUtf8          UTF-8 prose, accent per word", accented.size(),
            [&] { return ScanUtf8(accented).utf16Length; });

    std::printf("detection (marks and the first invalid byte end it early, so UTF-16 and ANSI take no time)\n");
    for (const auto& [name, bytes] : {std::pair{"ASCII", &ascii}, std::pair{"UTF-8 source", &mostlyAscii},
                                      std::pair{"UTF-8 prose", &accented}}) {
        const std::string label = std::string("  DetectEncoding    ") + name;
        Measure(label.c_str(), bytes->size(), [&] {
            return static_cast<std::size_t>(DetectEncoding(*bytes, FileEncoding::Ansi, false).encoding);
        });
    }

    std::printf("baseline: copy into freshly allocated memory\n");
    Measure("  std::string copy", ascii.size(), [&] { return std::string(ascii).size(); });

    std::printf("conversion\n");
    Measure("  Utf16BytesToUtf8  UTF-16LE prose", utf16le.size(),
            [&] { return Utf16BytesToUtf8(std::string_view(utf16le).substr(2), ByteOrder::LittleEndian).size(); });
    Measure("  Utf8ToUtf16Bytes  UTF-8 prose", accented.size(),
            [&] { return Utf8ToUtf16Bytes(accented, ByteOrder::LittleEndian).size(); });
    Measure("  Utf8ToUtf16       UTF-8 prose", accented.size(), [&] { return Utf8ToUtf16(accented).size(); });
    Measure("  Utf8ToUtf16       ASCII", ascii.size(), [&] { return Utf8ToUtf16(ascii).size(); });

    std::printf("load (detection + conversion to the editor's UTF-8)\n");
    MeasureLoad("  ASCII (ANSI)", ascii, ansi);
    MeasureLoad("  UTF-8 source", mostlyAscii, ansi);
    MeasureLoad("  UTF-8 prose", accented, ansi);
    MeasureLoad("  UTF-16LE prose", utf16le, ansi);
    MeasureLoad("  ANSI prose with high bytes (Latin-1 stand-in)", latin1, ansi);

    std::printf("save (composition of the file bytes)\n");
    Measure("  ANSI from ASCII", ascii.size(),
            [&] { return ComposeFileBytes(ascii, FileEncoding::Ansi, ansi)->size(); });
    Measure("  UTF-8 prose", accented.size(), [&] { return ComposeFileBytes(accented, FileEncoding::Utf8, ansi)->size(); });
    Measure("  UTF-16LE BOM prose", accentedUtf16Text.size(),
            [&] { return ComposeFileBytes(accentedUtf16Text, FileEncoding::Utf16LeBom, ansi)->size(); });
    Measure("  ANSI from prose (Latin-1 stand-in)", accented.size(),
            [&] { return ComposeFileBytes(accented, FileEncoding::Ansi, ansi)->size(); });

    return sink == 0 ? 1 : 0;
}
