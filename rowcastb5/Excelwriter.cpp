#include "rowcastb5/Excelwriter.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "rowcastb5/Kbaseexport.h"
#include "vcl50/Dateutils.h"

namespace {

// A spreadsheet number holds every integer up to here; beyond, digits would be lost.
constexpr int64_t ExactInDouble = int64_t(1) << 53;
// A cell holds at most this many characters.
constexpr size_t MaxCellChars = 32767;
// Columns are not made wider than this for one long value.
constexpr size_t MaxColumnWidth = 60;
// What a truth value shows ("FALSE").
constexpr size_t BooleanWidth = 5;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

size_t CodePoints(std::string_view text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// ---- number formats from the platform's date patterns -----------------------------------------

// One piece of a pattern: a run of one pattern letter, a 12-hour marker ('a', as written), or
// literal text (letter 0).
struct TPiece {
    char Letter = 0;
    size_t Count = 0;
    AnsiString Text;
};

std::string_view MarkerAt(std::string_view rest)
{
    for (std::string_view marker : {"am/pm", "a/p", "ampm"})
        if (rest.size() >= marker.size() &&
            std::equal(marker.begin(), marker.end(), rest.begin(), [](char m, char c) { return m == Lower(c); }))
            return rest.substr(0, marker.size());
    return {};
}

// Read as FormatDateTime reads a pattern, m and mm after an hour or before a second being minutes.
std::vector<TPiece> Pieces(std::string_view pattern)
{
    std::vector<TPiece> pieces;
    auto literal = [&](std::string_view text) {
        if (pieces.empty() || pieces.back().Letter != 0)
            pieces.emplace_back();
        pieces.back().Text += text;
    };
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        const char letter = Lower(c);
        if (c == '\'' || c == '"') {
            const size_t close = std::min(pattern.find(c, i + 1), pattern.size());
            literal(pattern.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (std::string_view marker = MarkerAt(pattern.substr(i)); !marker.empty()) {
            pieces.push_back({'a', 1, AnsiString(marker)});
            i += marker.size();
        } else if (std::string_view("dmnyhszct").find(letter) != std::string_view::npos) {
            size_t end = i;
            while (end < pattern.size() && Lower(pattern[end]) == letter)
                ++end;
            pieces.push_back({letter, end - i, {}});
            i = end;
        } else {
            literal(pattern.substr(i++, 1));
        }
    }
    char previous = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        TPiece& piece = pieces[i];
        if (piece.Letter == 0)
            continue;
        if (piece.Letter == 'm' && piece.Count <= 2) {
            auto next = std::find_if(pieces.begin() + static_cast<ptrdiff_t>(i) + 1, pieces.end(),
                                     [](const TPiece& p) { return p.Letter != 0; });
            if (previous == 'h' || (next != pieces.end() && next->Letter == 's'))
                piece.Letter = 'n';
        }
        previous = piece.Letter;
    }
    return pieces;
}

// Literal text in a number format: separators as they are, anything else in quotes, so that
// no letter is taken for a code.
void AppendLiteral(AnsiString& format, std::string_view text)
{
    bool quoted = false;
    for (char c : text) {
        const bool plain = std::string_view(" -/:.,").find(c) != std::string_view::npos;
        if ((plain || c == '"') && quoted) {
            format += '"';
            quoted = false;
        }
        if (c == '"')
            format += "\\\"";
        else if (plain)
            format += c;
        else {
            if (!quoted)
                format += '"';
            quoted = true;
            format += c;
        }
    }
    if (quoted)
        format += '"';
}

// The regional patterns may name each other; the depth stops a loop, as FormatDateTime's does.
constexpr int MaxNesting = 2;

void AppendFormat(AnsiString& format, std::string_view pattern, int depth)
{
    if (depth > MaxNesting)
        return;
    auto nested = [&](std::string_view inner) { AppendFormat(format, inner.empty() ? "c" : inner, depth + 1); };
    for (const TPiece& piece : Pieces(pattern)) {
        const size_t n = piece.Count;
        switch (piece.Letter) {
        case 0: AppendLiteral(format, piece.Text); break;
        case 'd':
            if (n <= 4)
                format += AnsiString(n, 'd');
            else
                nested(n == 5 ? ShortDateFormat : LongDateFormat);
            break;
        case 'm': format += AnsiString(std::min<size_t>(n, 4), 'm'); break;
        case 'n': format += n == 1 ? "m" : "mm"; break;  // next to an hour or a second, a spreadsheet's minutes too
        case 'y': format += n <= 2 ? "yy" : "yyyy"; break;
        case 'h': format += n == 1 ? "h" : "hh"; break;
        case 's': format += n == 1 ? "s" : "ss"; break;
        case 'z': format += "000"; break;  // after "s." the spreadsheet's thousandths
        case 'a': format += piece.Text.size() == 4 ? AnsiString("AM/PM") : piece.Text; break;  // ampm
        case 'c':
            nested(ShortDateFormat);
            format += ' ';
            nested(LongTimeFormat);
            break;
        case 't': nested(n == 1 ? ShortTimeFormat : LongTimeFormat); break;
        }
    }
}

// The spreadsheet's serial number of a date: the same count of days from 1899-12-30, except
// before 1900-03-01, where spreadsheets count a 29 February 1900 that never was. Days before
// 1900-01-01 have none: false.
bool SerialOf(TDateTime value, double& serial)
{
    if (value < 0 || (value >= 1 && value < 2))
        return false;
    serial = value >= 1 && value < 61 ? value - 1 : value;
    return true;
}

// "_x0041_" in a cell's text is how the file spells a character: one written by the person is
// kept by spelling its underscore so.
AnsiString EscapeCodes(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos)
        return AnsiString(text);
    AnsiString escaped;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        if (rest.size() >= 7 && rest[0] == '_' && rest[1] == 'x' && rest[6] == '_' &&
            std::all_of(rest.begin() + 2, rest.begin() + 6, [](char c) { return isxdigit(static_cast<unsigned char>(c)); }))
            escaped += "_x005F";
        escaped += text[i];
    }
    return escaped;
}

}  // namespace

AnsiString TExcelWriter::NumberFormat(std::string_view pattern)
{
    AnsiString format;
    AppendFormat(format, pattern.empty() ? "c" : pattern, 0);
    return format;
}

TExcelWriter::TExcelWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
    : TExportWriter(out, columns, formats), FState(columns.size())
{
}

TExcelWriter::~TExcelWriter()
{
    if (FWorkbook)
        lxw_workbook_free(FWorkbook);
}

void TExcelWriter::Check(int error) const
{
    if (error != LXW_NO_ERROR)
        throw EExportError(Format("The workbook could not be written: %s", {lxw_strerror(static_cast<lxw_error>(error))}));
}

void TExcelWriter::Begin()
{
    if (Out().FilePath().empty())
        throw EExportError("A workbook is written to a file only");
    if (Columns().size() > LXW_COL_MAX)
        throw EExportError(Format("A sheet holds at most %d columns", {static_cast<int64_t>(LXW_COL_MAX)}));
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    FWorkbook = workbook_new_opt(Out().FilePath().c_str(), &options);
    if (!FWorkbook)
        throw EExportError("The workbook could not be started");
    FSheet = workbook_add_worksheet(FWorkbook, nullptr);
    FBold = workbook_add_format(FWorkbook);
    format_set_bold(FBold);
    // The widest day and month names (a Wednesday in September) size a date column.
    const TDateTime wide = EncodeDate(2000, 9, 27) + EncodeTime(23, 59, 59, 999);
    for (size_t i = 0; i < Columns().size(); ++i) {
        TColumnState& state = FState[i];
        const AnsiString& pattern = ValueText().DatePattern(Column(i));
        state.DateFormat = workbook_add_format(FWorkbook);
        format_set_num_format(state.DateFormat, NumberFormat(pattern).c_str());
        state.DateWidth = CodePoints(FormatDateTime(pattern, wide));
        const AnsiString title = ValidUtf8(Column(i).Title);
        state.Width = CodePoints(title) + 1;  // bold is wider
        WriteText(i, title, FBold);
    }
}

void TExcelWriter::BeginRecord()
{
    if (++FRow >= LXW_ROW_MAX)
        throw EExportError(Format("A sheet holds at most %d records below its header", {static_cast<int64_t>(LXW_ROW_MAX - 1)}));
}

void TExcelWriter::WriteText(size_t column, const AnsiString& text, lxw_format* format)
{
    AnsiString cell = EscapeCodes(text);
    if (CodePoints(cell) > MaxCellChars) {
        size_t end = 0;
        for (size_t chars = 0; end < cell.size(); ++end)
            if ((static_cast<unsigned char>(cell[end]) & 0xC0) != 0x80 && ++chars > MaxCellChars)
                break;
        cell.resize(end);
        ++FState[column].CutTexts;
    }
    FState[column].Width = std::max(FState[column].Width, std::min(CodePoints(text), MaxColumnWidth));
    Check(worksheet_write_string(FSheet, FRow, static_cast<lxw_col_t>(column), cell.c_str(), format));
}

void TExcelWriter::Value(size_t column, const TFieldValue& value)
{
    TColumnState& state = FState[column];
    const auto col = static_cast<lxw_col_t>(column);
    auto number = [&](double n, lxw_format* format, size_t width) {
        state.Width = std::max(state.Width, width);
        Check(worksheet_write_number(FSheet, FRow, col, n, format));
    };
    switch (value.Kind) {
    case TFieldValue::vkNull: return;
    case TFieldValue::vkInteger:
        if (value.Integer < -ExactInDouble || value.Integer > ExactInDouble) {
            ++state.TextIntegers;
            WriteText(column, IntToStr(value.Integer), nullptr);
        } else {
            number(static_cast<double>(value.Integer), nullptr, IntToStr(value.Integer).size());
        }
        return;
    case TFieldValue::vkFloat:
        if (std::isfinite(value.Float))
            number(value.Float, nullptr, std::min<size_t>(FloatToStr(value.Float).size(), 11));  // as "General" shows it
        else
            WriteText(column, FloatToStr(value.Float), nullptr);
        return;
    case TFieldValue::vkBoolean:
        state.Width = std::max(state.Width, BooleanWidth);
        Check(worksheet_write_boolean(FSheet, FRow, col, value.Integer ? 1 : 0, nullptr));
        return;
    case TFieldValue::vkDateTime: {
        double serial = 0;
        if (SerialOf(value.Float, serial))
            number(serial, state.DateFormat, state.DateWidth);
        else
            WriteText(column, Text(column, value), nullptr);
        return;
    }
    case TFieldValue::vkText:
    case TFieldValue::vkBytes: WriteText(column, Text(column, value), nullptr); return;
    }
}

void TExcelWriter::Finish()
{
    for (size_t i = 0; i < Columns().size(); ++i) {
        const TColumnState& state = FState[i];
        Check(worksheet_set_column(FSheet, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i),
                                   static_cast<double>(std::max<size_t>(state.Width, 6) + 1), nullptr));
        if (state.TextIntegers)
            Note(Format("%s: %d integers beyond 2^53 are text, as a number would round them",
                        {Column(i).Name, state.TextIntegers}));
        if (state.CutTexts)
            Note(Format("%s: %d texts longer than %d characters were cut", {Column(i).Name, state.CutTexts,
                                                                            static_cast<int64_t>(MaxCellChars)}));
    }
    lxw_error error = workbook_close(std::exchange(FWorkbook, nullptr));
    Check(error);
}
