// The output lexer forwards everything to the error-list lexer and, after it has styled a range,
// re-styles the lines that our two rules catch.
#include "build/output_lexer.h"

#include <algorithm>
#include <string>

#include "lang/lexer_factory.h"

namespace kelpo {
namespace {

class OutputLexer final : public Scintilla::ILexer5 {
public:
    explicit OutputLexer(Scintilla::ILexer5* inner) : inner_(inner) {}

    int SCI_METHOD Version() const override { return inner_->Version(); }
    void SCI_METHOD Release() override {
        inner_->Release();
        delete this;
    }
    const char* SCI_METHOD PropertyNames() override { return inner_->PropertyNames(); }
    int SCI_METHOD PropertyType(const char* name) override { return inner_->PropertyType(name); }
    const char* SCI_METHOD DescribeProperty(const char* name) override { return inner_->DescribeProperty(name); }
    Sci_Position SCI_METHOD PropertySet(const char* key, const char* value) override {
        return inner_->PropertySet(key, value);
    }
    const char* SCI_METHOD DescribeWordListSets() override { return inner_->DescribeWordListSets(); }
    Sci_Position SCI_METHOD WordListSet(int set, const char* words) override { return inner_->WordListSet(set, words); }
    void SCI_METHOD Lex(Sci_PositionU startPos, Sci_Position length, int initStyle,
                        Scintilla::IDocument* document) override {
        inner_->Lex(startPos, length, initStyle, document);
        Restyle(startPos, length, document);
    }
    void SCI_METHOD Fold(Sci_PositionU startPos, Sci_Position length, int initStyle,
                         Scintilla::IDocument* document) override {
        inner_->Fold(startPos, length, initStyle, document);
    }
    void* SCI_METHOD PrivateCall(int operation, void* pointer) override {
        return inner_->PrivateCall(operation, pointer);
    }
    int SCI_METHOD LineEndTypesSupported() override { return inner_->LineEndTypesSupported(); }
    int SCI_METHOD AllocateSubStyles(int styleBase, int numberStyles) override {
        return inner_->AllocateSubStyles(styleBase, numberStyles);
    }
    int SCI_METHOD SubStylesStart(int styleBase) override { return inner_->SubStylesStart(styleBase); }
    int SCI_METHOD SubStylesLength(int styleBase) override { return inner_->SubStylesLength(styleBase); }
    int SCI_METHOD StyleFromSubStyle(int subStyle) override { return inner_->StyleFromSubStyle(subStyle); }
    int SCI_METHOD PrimaryStyleFromStyle(int style) override { return inner_->PrimaryStyleFromStyle(style); }
    void SCI_METHOD FreeSubStyles() override { inner_->FreeSubStyles(); }
    void SCI_METHOD SetIdentifiers(int style, const char* identifiers) override {
        inner_->SetIdentifiers(style, identifiers);
    }
    int SCI_METHOD DistanceToSecondaryStyles() override { return inner_->DistanceToSecondaryStyles(); }
    const char* SCI_METHOD GetSubStyleBases() override { return inner_->GetSubStyleBases(); }
    int SCI_METHOD NamedStyles() override { return inner_->NamedStyles(); }
    const char* SCI_METHOD NameOfStyle(int style) override { return inner_->NameOfStyle(style); }
    const char* SCI_METHOD TagsOfStyle(int style) override { return inner_->TagsOfStyle(style); }
    const char* SCI_METHOD DescriptionOfStyle(int style) override { return inner_->DescriptionOfStyle(style); }
    const char* SCI_METHOD GetName() override { return inner_->GetName(); }
    int SCI_METHOD GetIdentifier() override { return inner_->GetIdentifier(); }
    const char* SCI_METHOD PropertyGet(const char* key) override { return inner_->PropertyGet(key); }

private:
    ~OutputLexer() = default;

    // The range starts at a line start, as the error-list lexer needs it to.
    static void Restyle(Sci_PositionU startPos, Sci_Position length, Scintilla::IDocument* document) {
        const Sci_Position end = static_cast<Sci_Position>(startPos) + length;
        std::string text;
        for (Sci_Position line = document->LineFromPosition(static_cast<Sci_Position>(startPos));; ++line) {
            const Sci_Position start = document->LineStart(line);
            if (start >= end) {
                break;
            }
            const Sci_Position next = std::min(document->LineStart(line + 1), end);
            if (next <= start) {
                break;
            }
            text.resize(static_cast<std::size_t>(next - start));
            document->GetCharRange(text.data(), start, next - start);
            if (const std::optional<int> style = OutputLineStyle(text)) {
                document->StartStyling(start);
                document->SetStyleFor(next - start, static_cast<char>(*style));
            }
        }
        document->StartStyling(end);  // the error-list lexer styles its whole range
    }

    Scintilla::ILexer5* inner_;
};

}  // namespace

std::optional<int> OutputLineStyle(std::string_view line) {
    if (!line.empty() && std::string_view("><!+-").find(line.front()) != std::string_view::npos) {
        return std::nullopt;
    }
    if (line.find("warning ") != std::string_view::npos) {
        return kOutputWarningStyle;
    }
    if (line.find("error ") != std::string_view::npos) {
        return kOutputErrorStyle;
    }
    return std::nullopt;
}

Scintilla::ILexer5* CreateOutputLexer() {
    Scintilla::ILexer5* inner = CreateLexerByName("errorlist");
    return inner != nullptr ? new OutputLexer(inner) : nullptr;
}

}  // namespace kelpo
