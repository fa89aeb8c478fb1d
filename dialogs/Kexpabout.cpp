#include "dialogs/Kexpabout.h"

#include <vector>

#include "vcl50/Modules.h"
#include "vcl50/Resources.h"
#include "vcl50/Resstrings.h"

TAboutF* AboutF = nullptr;

namespace {

const char* const SuiteName = "Tarnel Lumatab";
const TResStringRec SVersionLine{"SVersionLine"};
const TResStringRec SPackageLine{"SPackageLine"};

// The DESCRIPTION resource holds UTF-16LE text ending in a zero; this returns it as UTF-8.
AnsiString Utf16ToUtf8(const std::vector<uint8_t>& bytes)
{
    AnsiString text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = bytes[i] | (bytes[i + 1] << 8);
        if (unit == 0)
            break;
        if (unit < 0x80) {
            text += static_cast<char>(unit);
        } else if (unit < 0x800) {
            text += static_cast<char>(0xC0 | (unit >> 6));
            text += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (unit >> 12));
            text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return text;
}

// The package's description as the designer shows it; empty where the code runs outside the
// package module (a test program), which carries no such resource.
AnsiString PackageDescription()
{
    HINSTANCE module = FindResourceHInstance(FindClassHInstance(TAboutF::StaticClass()));
    const auto bytes = module ? ReadResource(module, "DESCRIPTION", RT_RCDATA) : std::nullopt;
    return bytes ? Utf16ToUtf8(*bytes) : AnsiString();
}

struct TAboutLine {
    AnsiString Text;
    int FontHeight;
    TFontStyles Style;
    TColor Color;
    int SpaceAfter;
};

}  // namespace

TAboutF::~TAboutF() = default;

TClass TAboutF::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TAboutF, TForm>("TAboutF")
        .Field("Panel1", &TAboutF::Panel1)
        .Field("BitBtn1", &TAboutF::BitBtn1)
        .Build();
    return &meta;
}

void TAboutF::Paint(TCanvas& canvas)
{
    const int ruleTop = Panel1->Top();
    std::vector<TAboutLine> lines = {
        {SuiteName, Font()->Height() * 2, {fsBold}, clNavy, 6},
        {PackageDescription(), Font()->Height() - 2, {}, Font()->Color(), 18},
        {LoadResString(SVersionLine), Font()->Height(), {}, Font()->Color(), 4},
        {LoadResString(SPackageLine), Font()->Height(), {}, clGray, 0},
    };
    std::erase_if(lines, [](const TAboutLine& line) { return line.Text.empty(); });

    auto useFont = [&](const TAboutLine& line) {
        canvas.Font()->Assign(Font());
        canvas.Font()->SetHeight(line.FontHeight);
        canvas.Font()->SetStyle(line.Style);
        canvas.Font()->SetColor(line.Color);
    };
    int total = 0;
    for (const TAboutLine& line : lines) {
        useFont(line);
        total += canvas.TextHeight(line.Text) + line.SpaceAfter;
    }
    // The block of lines sits centred in the space above the rule.
    int y = (ruleTop - total) / 2;
    for (const TAboutLine& line : lines) {
        useFont(line);
        canvas.TextOut((ClientWidth() - canvas.TextWidth(line.Text)) / 2, y, line.Text);
        y += canvas.TextHeight(line.Text) + line.SpaceAfter;
    }
}

void ShowAboutForm()
{
    auto box = ConstructUnique<TAboutF>(nullptr);
    AboutF = box.get();
    struct TForget {
        ~TForget() { AboutF = nullptr; }
    } forget;
    box->ShowModal();
}

PACKAGE_UNIT_PROCS(Kexpabout)
