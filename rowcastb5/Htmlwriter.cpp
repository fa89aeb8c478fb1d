#include "rowcastb5/Htmlwriter.h"

#include <array>

#include "rowcastb5/Utf8text.h"

THtmlWriter::THtmlWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats,
                         THTMLPage page)
    : TExportWriter(out, columns, formats), FPage(std::move(page))
{
}

THtmlWriter::~THtmlWriter() = default;

namespace {

// A character HTML does not allow in a document: parsers report it and readers show it
// differently. NUL, the controls but ASCII whitespace, and the noncharacters.
bool Forbidden(char32_t c)
{
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') || (c >= 0x7F && c <= 0x9F) ||
           (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// A CSS string: anything but plain letters, digits, spaces, '-' and '_' as a hex escape, so that
// no name can end the string, the rule or the <style> element.
AnsiString CssString(std::string_view validUtf8)
{
    AnsiString quoted = "\"";
    for (size_t at = 0; at < validUtf8.size();) {
        const size_t start = at;
        const char32_t c = NextCodePoint(validUtf8, at);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == ' ' || c == '-' || c == '_';
        if (plain)
            quoted += static_cast<char>(c);
        else if (c >= 0x80 && !Forbidden(c))
            quoted.append(validUtf8.substr(start, at - start));
        else
            quoted += "\\" + IntToHex(Forbidden(c) ? 0xFFFD : c, 1) + " ";
    }
    return quoted + "\"";
}

void Declare(AnsiString& css, const char* property, TColor color)
{
    const AnsiString value = THtmlWriter::CssColor(color);
    if (!value.empty())
        css += AnsiString(" ") + property + ": " + value + ";";
}

}  // namespace

void THtmlWriter::AppendEscaped(AnsiString& out, std::string_view text)
{
    // The bytes that may need more than copying: markup, CR, the ASCII controls, and the lead
    // bytes of the C1 controls (C2) and of the noncharacters (EF, F0 to F4). Everything else is
    // copied in runs, which is most text.
    static constexpr auto attention = [] {
        std::array<bool, 256> table{};
        for (int c = 0; c < 0x20; ++c)
            table[c] = c != '\t' && c != '\n' && c != '\f';
        for (unsigned char c : {'&', '<', '>', '"', '\x7F', '\xC2', '\xEF', '\xF0', '\xF1', '\xF2', '\xF3', '\xF4'})
            table[c] = true;
        return table;
    }();
    size_t copied = 0;
    auto put = [&](size_t at, size_t length, std::string_view replacement) {
        out.append(text.substr(copied, at - copied));
        out.append(replacement);
        copied = at + length;
    };
    for (size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (!attention[static_cast<unsigned char>(c)]) {
            ++at;
            continue;
        }
        switch (c) {
        case '&': put(at++, 1, "&amp;"); continue;
        case '<': put(at++, 1, "&lt;"); continue;
        case '>': put(at++, 1, "&gt;"); continue;
        case '"': put(at++, 1, "&quot;"); continue;
        case '\r':
            put(at, at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1, "\n");
            at = copied;
            continue;
        default: break;
        }
        const size_t start = at;
        if (Forbidden(NextCodePoint(text, at)))
            put(start, at - start, ReplacementCharacter);
    }
    out.append(text.substr(copied));
}

AnsiString THtmlWriter::CssColor(TColor color)
{
    if (color == clNone || color == clDefault)
        return {};
    const auto rgb = static_cast<uint32_t>(ColorToRGB(color));
    const uint32_t web = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return "#" + LowerCase(IntToHex(web, 6));
}

AnsiString THtmlWriter::StyleElement() const
{
    const RHTMLTemplate& look = FPage.Look;
    AnsiString css = "<style>\nbody {";
    Declare(css, "background-color", look.BackGroundColor);
    Declare(css, "color", look.DefaultFontColor);
    if (!look.DefaultFontName.empty())
        css += " font-family: " + CssString(ValidUtf8(look.DefaultFontName)) + ";";
    if (FPage.FontSize > 0)
        css += " font-size: " + IntToStr(FPage.FontSize) + "pt;";
    if (FPage.FontStyle.Contains(fsBold))
        css += " font-weight: bold;";
    if (FPage.FontStyle.Contains(fsItalic))
        css += " font-style: italic;";
    if (FPage.FontStyle.Contains(fsUnderline) || FPage.FontStyle.Contains(fsStrikeOut)) {
        css += " text-decoration:";
        if (FPage.FontStyle.Contains(fsUnderline))
            css += " underline";
        if (FPage.FontStyle.Contains(fsStrikeOut))
            css += " line-through";
        css += ";";
    }
    css += " }\na:link {";
    Declare(css, "color", look.LinkColor);
    css += " }\na:visited {";
    Declare(css, "color", look.VLinkColor);
    css += " }\na:active {";
    Declare(css, "color", look.ALinkColor);
    css += " }\n"
           "table { border-collapse: collapse; }\n"
           "th, td { border: 1px solid #808080; padding: 2px 6px; text-align: left; vertical-align: top; }\n"
           "td { white-space: pre-wrap; }\n"
           "thead tr {";
    Declare(css, "background-color", look.HeadersRowBgColor);
    Declare(css, "color", look.HeadersRowFontColor);
    css += " }\ntbody tr {";
    Declare(css, "color", look.TableFontColor);
    // Classes rather than :nth-child, so that renderers of a CSS subset (mail programs, rich
    // text widgets) band the rows too.
    css += " }\ntbody tr.odd {";
    Declare(css, "background-color", look.TableBgColor);
    css += " }\ntbody tr.even {";
    Declare(css, "background-color", look.OddRowBgColor);
    return css + " }\n</style>\n";
}

void THtmlWriter::Begin()
{
    AnsiString head = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendEscaped(head, ValidUtf8(FPage.Title));
    head += "</title>\n" + StyleElement();
    if (!FPage.StyleSheet.empty()) {
        head += "<link rel=\"stylesheet\" href=\"";
        AppendEscaped(head, ValidUtf8(FPage.StyleSheet));
        head += "\">\n";
    }
    head += "</head>\n<body>\n<table>\n<thead>\n<tr>";
    for (const TExportColumn& column : Columns()) {
        head += "<th>";
        AppendEscaped(head, ValidUtf8(column.Title));
        head += "</th>";
    }
    head += "</tr>\n</thead>\n<tbody>\n";
    Write(head);
}

void THtmlWriter::BeginRecord()
{
    FLine = FOddRow ? "<tr class=\"odd\">" : "<tr class=\"even\">";
    FOddRow = !FOddRow;
}

void THtmlWriter::Value(size_t column, const TFieldValue& value)
{
    FLine += "<td>";
    AppendEscaped(FLine, Text(column, value));
    FLine += "</td>";
}

void THtmlWriter::EndRecord()
{
    FLine += "</tr>\n";
    Write(FLine);
}

void THtmlWriter::Finish()
{
    Write("</tbody>\n</table>\n</body>\n</html>\n");
}
