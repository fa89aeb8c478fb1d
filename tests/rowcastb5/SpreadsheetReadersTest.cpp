// The tricky table exported by `drowcast-host export` and read back by LibreOffice: every cell
// as each format can carry it.

#include <gtest/gtest.h>
#include <iconv.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

#include "tests/ScriptFiles.h"
#include "tests/TempFolder.h"
#include "tests/TrickyDatabase.h"
#include "tests/rowcastb5/LibreOffice.h"
#include "tests/rowcastb5/Programs.h"

namespace fs = std::filesystem;

namespace {

// How a format's read-back may differ from the values, for reasons of the format or the reader.
struct TReadBack {
    bool LineBreaksAsBlanks = false;  // the format holds no line break in a value
    bool TextMayBeTyped = false;      // untyped: text that reads as a number, date or formula becomes one
    bool ReadAsWindows1252 = false;   // the file names no character set and the reader assumes this one
    bool TabsAsBlanks = false;        // a tab in a value reads as a blank
    bool TruthValuesTyped = false;    // True and False are the spreadsheet's own TRUE and FALSE
    bool BigIntegersAsText = false;   // integers past 2^53 are text, so that no digit is lost
    bool TimesAs12Hour = false;       // a time read from text is shown again on the reader's 12-hour clock
};

struct TReaderCase {
    const char* Class;
    const char* Settings;  // property lines of the export beside DataSet, FileName and Formats
    const char* File;  // its own name without its extension: the converted files are named so
    TReadBack Differences;
    const char* InFilter = "";  // how LibreOffice opens the file; empty: by its type
};

const TReaderCase Cases[] = {
    {"TKASCIIExport", "ExportType = etCSV", "csv.csv", {.TextMayBeTyped = true, .ReadAsWindows1252 = true}},
    {"TKASCIIExport", "ExportType = etDIF", "dif.dif", {.LineBreaksAsBlanks = true, .ReadAsWindows1252 = true}},
    {"TKASCIIExport", "ExportType = etSYLK", "sylk.slk", {}},
    {"TKExcelExport", "", "excel.xlsx", {.TextMayBeTyped = true, .TruthValuesTyped = true, .BigIntegersAsText = true}},
    {"TKRTFExport", "", "rtf.rtf",
     {.LineBreaksAsBlanks = true, .TextMayBeTyped = true, .TabsAsBlanks = true, .TruthValuesTyped = true,
      .TimesAs12Hour = true},
     "Rich Text Format (StarCalc)"},
};

const char* const Formats = "    Formats.DateFormat = 'yyyy-mm-dd'\n"
                            "    Formats.TimeFormat = 'hh:nn:ss'\n"
                            "    Formats.DateTimeFormat = 'yyyy-mm-dd hh:nn:ss'\n";

// The tricky table as a spreadsheet should show it under those formats.
struct TCell {
    enum { Empty, Number, Text } Kind;
    const char* Value;
};
constexpr TCell N(const char* v) { return {TCell::Number, v}; }
constexpr TCell T(const char* v) { return {TCell::Text, v}; }
constexpr TCell E{TCell::Empty, ""};

const TCell Expected[TrickyRowCount + 1][10] = {
    {T("id"), T("name"), T("amount"), T("big"), T("flag"), T("day"), T("at"), T("stamp"), T("note"), T("data")},
    {N("1"), T("plain"), N("1.5"), N("0"), T("True"), T("2024-02-29"), T("13:45:30"), T("2024-02-29 13:45:30"),
     T("a note"), T("00ff")},
    {N("2"), E, E, E, E, E, E, E, E, E},
    {N("3"), T("say \"hi\", then; leave"), N("0.1"), N("9223372036854775807"), T("False"), T("2024-02-29"),
     T("00:00:00"), T("2024-02-29 13:45:30"), T("line one\r\nline two\ntab\tend"), E},
    {N("4"), T("<b>&amp;</b> # $ % & ~ _ ^ \\ { }"), N("-2.5e-300"), N("-9223372036854775808"), T("False"),
     T("2024-02-29"), T("23:59:59"), T("2024-02-29 13:45:30"), T("emoji \xF0\x9F\x98\x80 and \xC3\xBCn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9"),
     T("deadbeef")},
    {N("5"), T("A\xEF\xBF\xBD" "B\xEF\xBF\xBD"), T("INF"), N("42"), T("True"), T("not a date"), T("noon"), T("soon"),
     T("x"), E},
    {N("6"), T("=1+2"), T("NaN"), N("-1"), T("False"), T("1999-12-31"), T("06:07:08"), T("1999-12-31 23:59:59"), E,
     T("27")},
};

// A cell holds one kind of line break; a format that holds none shows a blank for each.
std::string LineBreaks(std::string_view text, const TReadBack& rule)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\r' || text[i] == '\n')
            out += rule.LineBreaksAsBlanks ? ' ' : '\n';
        else
            out += text[i] == '\t' && rule.TabsAsBlanks ? ' ' : text[i];
    }
    return out;
}

// "13:45:30" as "01:45:30 PM".
std::string TwelveHour(const std::string& time)
{
    int h = 0, m = 0, sec = 0;
    char tail = 0;
    if (std::sscanf(time.c_str(), "%d:%d:%d%c", &h, &m, &sec, &tail) != 3)
        return time;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", (h + 11) % 12 + 1, m, sec, h < 12 ? "AM" : "PM");
    return text;
}

// The bytes that the reader's Windows-1252 characters came from; "?" marks a character it lacks.
std::string Windows1252Bytes(const std::string& utf8)
{
    iconv_t convert = iconv_open("CP1252", "UTF-8");
    std::string in = utf8, out(utf8.size(), '\0');
    char* from = in.data();
    char* to = out.data();
    size_t left = in.size(), room = out.size();
    const bool whole = iconv(convert, &from, &left, &to, &room) != static_cast<size_t>(-1);
    iconv_close(convert);
    return whole ? out.substr(0, out.size() - room) : "?" + utf8;
}

// Why the read-back cell is not the expected one; empty when it is.
std::string Mismatch(const TCell& expected, TSheetCell cell, const TReadBack& rule)
{
    if (rule.ReadAsWindows1252)
        cell.Text = Windows1252Bytes(cell.Text);
    switch (expected.Kind) {
    case TCell::Empty:
        return cell.Text.empty() ? "" : "not empty";
    case TCell::Number: {
        const double want = std::strtod(expected.Value, nullptr);
        if (rule.BigIntegersAsText && std::fabs(want) > 9007199254740992.0)
            return cell.Quoted && cell.Text == expected.Value ? "" : "not the text of the number";
        char* end = nullptr;
        const double got = std::strtod(cell.Text.c_str(), &end);
        // A spreadsheet shows 15 significant digits.
        if (cell.Quoted || cell.Text.empty() || *end || std::fabs(got - want) > 1e-14 * std::fabs(want))
            return "not the number";
        return "";
    }
    case TCell::Text: {
        const std::string want = LineBreaks(expected.Value, rule);
        if (cell.Quoted && cell.Text == want)
            return "";
        if (!cell.Quoted && rule.TruthValuesTyped && (want == "True" || want == "False"))
            return cell.Text == (want == "True" ? "TRUE" : "FALSE") ? "" : "not the truth value";
        if (!cell.Quoted && rule.TimesAs12Hour && TwelveHour(want) != want)
            return cell.Text == TwelveHour(want) ? "" : "not the time";
        if (!cell.Quoted && rule.TextMayBeTyped && (cell.Text == want || want.starts_with('=')))
            return "";
        return cell.Quoted ? "not the text" : "not text";
    }
    }
    return "";
}

}  // namespace

TEST(SpreadsheetReaders, LibreOfficeReadsEveryCellOfEachFormat)
{
    if (!LibreOfficeInstalled())
        GTEST_SKIP() << "soffice is not installed";
    TTempFolder folder("spreadsheet-readers");
    const fs::path dir = folder.Path();
    MakeTrickyDatabase(dir / "tricky.db");
    std::string form = "object Form1: TForm\n"
                       "  object Data: TSQLiteDataSet\n"
                       "    DatabaseName = 'tricky.db'\n"
                       "    TableName = 'tricky'\n"
                       "  end\n";
    for (size_t i = 0; i < std::size(Cases); ++i)
        form += "  object Out" + std::to_string(i) + ": " + Cases[i].Class + "\n    DataSet = Data\n    FileName = '" +
                Cases[i].File + "'\n" + Formats + "    " + Cases[i].Settings + "\n  end\n";
    std::ofstream(dir / "readers.dfm") << form << "end\n";
    const int status = WaitProgram(StartProgram({{DROWCAST_HOST, "export", (dir / "readers.dfm").string()},
                                                 {}, dir / "export.out", dir / "export.err"}));
    ASSERT_EQ(status, 0) << ReadText(dir / "export.err");

    // One soffice run for every case that LibreOffice opens alike.
    std::map<std::string, std::vector<const TReaderCase*>> byFilter;
    for (const TReaderCase& c : Cases)
        byFilter[c.InFilter].push_back(&c);
    for (const auto& [filter, cases] : byFilter) {
        std::vector<fs::path> files;
        for (const TReaderCase* c : cases)
            files.push_back(dir / c->File);
        const std::vector<TSheet> sheets = ReadWithLibreOffice(files, filter, dir);
        for (size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(cases[i]->File);
            const TSheet& sheet = sheets[i];
            ASSERT_EQ(sheet.size(), std::size(Expected));
            for (size_t row = 0; row < sheet.size(); ++row)
                for (size_t column = 0; column < std::size(Expected[row]); ++column) {
                    const TSheetCell cell = column < sheet[row].size() ? sheet[row][column] : TSheetCell{};
                    const std::string why = Mismatch(Expected[row][column], cell, cases[i]->Differences);
                    EXPECT_EQ(why, "") << "row " << row << " column " << column << ": " << cell.Text;
                }
        }
    }
}
