#include "rowcastb5/Latexwriter.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "rowcastb5/Utf8text.h"

namespace {

// The characters past ASCII that pdflatex typesets with inputenc's utf8, fontenc's T1 and the
// TS1 symbols of textcomp: what their definition files declare, less what needs another font
// encoding (Cyrillic), each checked by compiling it.
constexpr std::pair<char32_t, char32_t> Typeset[] = {
    {0x00A0, 0x0125}, {0x0128, 0x0137}, {0x0139, 0x013E}, {0x0141, 0x0148}, {0x014A, 0x0165},
    {0x0168, 0x017E}, {0x0192, 0x0192}, {0x01C4, 0x01D4}, {0x01E2, 0x01E3}, {0x01E6, 0x01EB},
    {0x01F0, 0x01F0}, {0x01F4, 0x01F5}, {0x0218, 0x021B}, {0x0232, 0x0233}, {0x0237, 0x0237},
    {0x02C6, 0x02C7}, {0x02D8, 0x02D9}, {0x02DB, 0x02DD}, {0x0E3F, 0x0E3F}, {0x1E02, 0x1E03},
    {0x1E0D, 0x1E0D}, {0x1E1E, 0x1E21}, {0x1E25, 0x1E25}, {0x1E30, 0x1E31}, {0x1E37, 0x1E37},
    {0x1E43, 0x1E43}, {0x1E45, 0x1E45}, {0x1E47, 0x1E47}, {0x1E5B, 0x1E5B}, {0x1E63, 0x1E63},
    {0x1E6D, 0x1E6D}, {0x1E8E, 0x1E91}, {0x1E9E, 0x1E9E}, {0x1EF2, 0x1EF3}, {0x2010, 0x2016},
    {0x2018, 0x201A}, {0x201C, 0x201E}, {0x2020, 0x2022}, {0x2026, 0x2026}, {0x2030, 0x2031},
    {0x2039, 0x203B}, {0x203D, 0x203D}, {0x2044, 0x2044}, {0x204E, 0x204E}, {0x2052, 0x2052},
    {0x20A1, 0x20A1}, {0x20A4, 0x20A4}, {0x20A6, 0x20A6}, {0x20A9, 0x20A9}, {0x20AB, 0x20AC},
    {0x20B1, 0x20B1}, {0x2103, 0x2103}, {0x2116, 0x2117}, {0x211E, 0x211E}, {0x2120, 0x2120},
    {0x2122, 0x2122}, {0x2126, 0x2127}, {0x212E, 0x212E}, {0x2190, 0x2193}, {0x2329, 0x232A},
    {0x2422, 0x2423}, {0x25E6, 0x25E6}, {0x25EF, 0x25EF}, {0x266A, 0x266A}, {0x27E8, 0x27E9},
    {0x3008, 0x3009}, {0xFB00, 0xFB06},
};

bool Typesets(char32_t c)
{
    const auto* range = std::upper_bound(std::begin(Typeset), std::end(Typeset), c,
                                         [](char32_t code, const auto& r) { return code < r.first; });
    return range != std::begin(Typeset) && c <= std::prev(range)->second;
}

// The ASCII characters that are not simply themselves in LaTeX (T1): specials, the ones the
// text fonts draw otherwise or join into ligatures ('' ``), and [ that could be read as an
// optional argument.
constexpr const char* AsciiEscape(char c)
{
    switch (c) {
    case '#': return "\\#";
    case '$': return "\\$";
    case '%': return "\\%";
    case '&': return "\\&";
    case '_': return "\\_";
    case '{': return "\\{";
    case '}': return "\\}";
    case '~': return "\\textasciitilde{}";
    case '^': return "\\textasciicircum{}";
    case '\\': return "\\textbackslash{}";
    case '<': return "\\textless{}";
    case '>': return "\\textgreater{}";
    case '|': return "\\textbar{}";
    case '"': return "\\textquotedbl{}";
    case '\'': return "\\textquotesingle{}";
    case '`': return "\\textasciigrave{}";
    case '[': return "{[}";
    case ']': return "{]}";
    case '\t': return "\\quad{}";
    default: return nullptr;
    }
}

}  // namespace

TLaTeXWriter::TLaTeXWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats)
{
}

TLaTeXWriter::~TLaTeXWriter() = default;

void TLaTeXWriter::AppendEscaped(AnsiString& out, std::string_view text)
{
    // Printable ASCII that stands for itself is copied in runs, which is most text.
    static constexpr auto plain = [] {
        std::array<bool, 256> table{};
        for (int c = 0x20; c < 0x7F; ++c)
            table[c] = !AsciiEscape(static_cast<char>(c)) && c != '-' && c != ',';
        return table;
    }();
    for (size_t at = 0; at < text.size();) {
        const size_t run = at;
        while (at < text.size() && plain[static_cast<unsigned char>(text[at])])
            ++at;
        out.append(text.substr(run, at - run));
        if (at == text.size())
            break;
        const char c = text[at];
        if (c == '\r' || c == '\n') {
            at += c == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
            out += "\\cellbreak{}";
            continue;
        }
        if ((c == '-' || c == ',') && at + 1 < text.size() && text[at + 1] == c) {
            out += c;
            out += "{}";  // -- and ,, would join into a dash and a low quote
            ++at;
            continue;
        }
        if (const char* escape = AsciiEscape(c)) {
            out += escape;
            ++at;
            continue;
        }
        const size_t start = at;
        const char32_t code = NextCodePoint(text, at);
        if ((code >= 0x20 && code < 0x7F) || Typesets(code))
            out.append(text.substr(start, at - start));
        else
            out += "\\missingchar{" + IntToHex(code, 4) + "}";
    }
}

void TLaTeXWriter::Begin()
{
    const size_t count = Columns().size();
    AnsiString head =
        "\\documentclass{article}\n"
        "\\usepackage[utf8]{inputenc}\n"
        "\\usepackage[T1]{fontenc}\n"
        "\\usepackage{textcomp}\n"
        "\\IfFileExists{lmodern.sty}{\\usepackage{lmodern}}{}\n";
    head += count > 6 ? "\\usepackage[margin=2cm,landscape]{geometry}\n" : "\\usepackage[margin=2cm]{geometry}\n";
    head +=
        "\\usepackage{array}\n"
        "\\usepackage{longtable}\n"
        "% A character the fonts have no glyph for, by its code point.\n"
        "\\newcommand*\\missingchar[1]{\\texttt{[U+#1]}}\n"
        "% A line break inside a cell, also as the cell's first thing.\n"
        "\\newcommand*\\cellbreak{\\leavevmode\\newline}\n"
        "\\newlength\\cellwidth\n"
        "\\begin{document}\n";
    if (count == 0) {
        Write(head);
        return;
    }
    const AnsiString n = IntToStr(static_cast<int64_t>(count));
    head += "\\setlength\\cellwidth{\\dimexpr(\\linewidth-\\tabcolsep*" + IntToStr(static_cast<int64_t>(2 * count)) +
            "-\\arrayrulewidth*" + IntToStr(static_cast<int64_t>(count + 1)) + ")/" + n + "\\relax}\n" +
            "\\small\n\\begin{longtable}{|*{" + n + "}{>{\\raggedright\\arraybackslash}p{\\cellwidth}|}}\n\\hline\n";
    for (size_t i = 0; i < count; ++i) {
        head += i == 0 ? "\\textbf{" : " & \\textbf{";
        AppendEscaped(head, ValidUtf8(Column(i).Title));
        head += "}";
    }
    head += " \\\\\n\\hline\n\\endhead\n";
    Write(head);
}

void TLaTeXWriter::BeginRecord()
{
    FLine.clear();
}

void TLaTeXWriter::Value(size_t column, const TFieldValue& value)
{
    if (column > 0)
        FLine += " & ";
    AppendEscaped(FLine, Text(column, value));
}

void TLaTeXWriter::EndRecord()
{
    if (!Columns().empty())
        Write(FLine + " \\\\\n\\hline\n");
}

void TLaTeXWriter::Finish()
{
    Write(Columns().empty() ? "\\end{document}\n" : "\\end{longtable}\n\\end{document}\n");
}
