// The HTML, XML, RTF and LaTeX exports over the tricky table, each read back by a reader of its
// own format: libxml2 and expat for XML, html5lib (strict) for HTML, a small RTF reader, and
// pdflatex for LaTeX.

#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Klatexexport.h"
#include "rowcastb5/Krtfexport.h"
#include "rowcastb5/Kxmlexport.h"
#include "rowcastb5/Latexwriter.h"
#include "tests/TempFolder.h"
#include "tests/TrickyDatabase.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

// Debian's, which has the distribution's python3-html5lib.
const char* const Python = "/usr/bin/python3";

// The tricky table and five more columns: characters the formats cannot hold as they are (and
// line breaks first in a cell), and names XML cannot take as they are, two of them alike.
const char* const Query =
    "SELECT *, char(10, 10, 1, 27, 127, 65534, 13, 10) || 'end' AS \"ctl chars\", 'x' AS ctl_chars, "
    "'y' AS \"2nd\", 'z' AS XMLfoo, 'w' AS \"Größe\" FROM tricky";

using Table = std::vector<std::vector<std::string>>;
const std::string Null = "\x1d";  // how the readers below report an XML NULL

const std::vector<std::string> Names = {"id", "name", "amount", "big", "flag", "day", "at", "stamp",
                                        "note", "data", "ctl chars", "ctl_chars", "2nd", "XMLfoo", "Größe"};

// The values as people read them, with the Formats the tests set; `controls` is how the format
// writes the first extra column.
Table PeopleTable(const std::string& controls)
{
    Table rows = {
        {"1", "plain", "1.5", "0", "True", "2024-02-29", "13:45:30", "2024-02-29 13:45:30", "a note", "00ff"},
        {"2", "", "", "", "", "", "", "", "", ""},
        {"3", "say \"hi\", then; leave", "0.1", "9223372036854775807", "False", "2024-02-29", "00:00:00",
         "2024-02-29 13:45:30", "line one\nline two\ntab\tend", ""},
        {"4", "<b>&amp;</b> # $ % & ~ _ ^ \\ { }", "-2.5e-300", "-9223372036854775808", "False", "2024-02-29",
         "23:59:59", "2024-02-29 13:45:30", "emoji 😀 and ünïcödé", "deadbeef"},
        {"5", "A\uFFFDB\uFFFD", "INF", "42", "True", "not a date", "noon", "soon", "x", ""},
        {"6", "=1+2", "NaN", "-1", "False", "1999-12-31", "06:07:08", "1999-12-31 23:59:59", "", "27"},
    };
    for (auto& row : rows)
        row.insert(row.end(), {controls, "x", "y", "z", "w"});
    return rows;
}

// The values in machine form, as the XML export writes them.
Table MachineTable()
{
    const std::string n = Null;
    Table rows = {
        {"1", "plain", "1.5", "0", "true", "2024-02-29", "13:45:30", "2024-02-29T13:45:30", "a note", "00ff"},
        {"2", n, n, n, n, n, n, n, n, n},
        {"3", "say \"hi\", then; leave", "0.1", "9223372036854775807", "false", "2024-02-29", "00:00:00",
         "2024-02-29T13:45:30", "line one\r\nline two\ntab\tend", ""},
        {"4", "<b>&amp;</b> # $ % & ~ _ ^ \\ { }", "-2.5e-300", "-9223372036854775808", "false", "2024-02-29",
         "23:59:59.999", "2024-02-29T13:45:30", "emoji 😀 and ünïcödé", "deadbeef"},
        {"5", "A\uFFFDB\uFFFD", "INF", "42", "true", "not a date", "noon", "soon", "x", n},
        {"6", "=1+2", "NaN", "-1", "false", "1999-12-31", "06:07:08", "1999-12-31T23:59:59", "", "27"},
    };
    // XML 1.0 holds DEL and CR (as a reference) but no other control and no U+FFFE.
    for (auto& row : rows)
        row.insert(row.end(), {"\n\n\uFFFD\uFFFD\x7F\uFFFD\r\nend", "x", "y", "z", "w"});
    return rows;
}

// Prints what it read as rows of cells: cells split by \x1f, rows by \x1e.
const char* const ReadXml = R"py(
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == 'records', root.tag
records = list(root)
assert all(r.tag == 'record' for r in records)
tags = [c.tag for c in records[0]]
out = [tags, [c.get('name', c.tag) for c in records[0]]]
for r in records:
    assert [c.tag for c in r] == tags
    assert all(len(c) == 0 for c in r)
    out.append(['\x1d' if c.get('null') == 'true' and not c.text else c.text or '' for c in r])
open(sys.argv[2], 'wb').write('\x1e'.join('\x1f'.join(r) for r in out).encode())
)py";

// The page's colours and font first (CSS escapes decoded), then the header row, then the cells.
const char* const ReadHtml = R"py(
import sys, re, html5lib
doc = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False).parse(open(sys.argv[1], 'rb'))
css = doc.find('head/style').text
rules = {}
for selector, body in re.findall(r'([^{}]+)\{([^}]*)\}', css):
    rules[selector.strip()] = dict(d.split(':', 1) for d in body.split(';') if d.strip())
def get(selector, prop):
    value = rules.get(selector, {}).get(' ' + prop, '').strip()
    return re.sub(r'\\([0-9a-fA-F]+) ?', lambda m: chr(int(m[1], 16)), value)
link = doc.find('head/link')
look = [doc.find('head/title').text or '', get('body', 'background-color'), get('body', 'color'),
        get('body', 'font-family'), get('body', 'font-size'), get('a:visited', 'color'),
        get('thead tr', 'background-color'), get('thead tr', 'color'), get('tbody tr', 'color'),
        get('tbody tr.odd', 'background-color'), get('tbody tr.even', 'background-color'),
        link.get('href') if link is not None else '-']
rows = doc.findall('body/table/tbody/tr')
out = [look, [th.text or '' for th in doc.findall('body/table/thead/tr/th')]]
for i, row in enumerate(rows):
    assert row.attrib == {'class': 'even' if i % 2 else 'odd'} and all(len(td) == 0 and not td.attrib for td in row)
    out.append([td.text or '' for td in row])
open(sys.argv[2], 'wb').write('\x1e'.join('\x1f'.join(r) for r in out).encode())
)py";

// A reader of the RTF the export writes: ASCII only, balanced groups, cells and rows, \uN with
// its one fallback character, \line and \tab, the header row bold and no other.
const char* const ReadRtf = R"py(
import sys, re
data = open(sys.argv[1], 'rb').read()
assert all(b < 128 for b in data), 'not 7-bit'
token = re.compile(r'\\([a-z]+)(-?\d+)? ?|\\([^a-z])|([{}])|([^\\{}\r\n])|[\r\n]')
bold, depth, skip, units, marks, row, rows = [False], 0, 0, [], [], [], []
for word, number, symbol, brace, char in token.findall(data.decode()):
    if skip and (symbol or char):
        skip -= 1
        continue
    if brace == '{':
        depth += 1
        bold.append(bold[-1])
    elif brace == '}':
        depth -= 1
        bold.pop()
        assert depth >= 0, 'a group closed that was not open'
    elif word == 'u':
        units.append(int(number) & 0xFFFF)
        marks.append(bold[-1])
        skip = 1
    elif word in ('line', 'tab'):
        units.append(10 if word == 'line' else 9)
    elif word == 'b':
        bold[-1] = number != '0'
    elif word == 'pard':
        units, marks = [], []
    elif word == 'cell':
        assert all(marks) if not rows else not any(marks), 'the header row bold, no data bold'
        row.append(''.join(map(chr, units)).encode('utf-16', 'surrogatepass').decode('utf-16'))
        units, marks = [], []
    elif word == 'row':
        rows.append(row)
        row = []
    elif symbol or char:
        units.append(ord(symbol or char))
        marks.append(bold[-1])
assert depth == 0, 'groups left open'
open(sys.argv[2], 'wb').write('\x1e'.join('\x1f'.join(r) for r in rows).encode())
)py";

class MarkupExports : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeTrickyDatabase(Folder.Path() / "tricky.db");
        DataSet->SetName("Data");
        DataSet->SetDatabaseName((Folder.Path() / "tricky.db").string());
        DataSet->SetSQL(Query);
    }

    // Runs the export into the test's folder and returns the file's path.
    std::string Export(TKFileExport& exporter, const std::string& fileName)
    {
        exporter.SetDataSet(DataSet);
        exporter.Formats()->SetDateFormat("yyyy-mm-dd");
        exporter.Formats()->SetTimeFormat("hh:nn:ss");
        exporter.Formats()->SetDateTimeFormat("yyyy-mm-dd hh:nn:ss");
        const std::string path = (Folder.Path() / fileName).string();
        exporter.SetFileName(path);
        EXPECT_EQ(exporter.Export().Rows, TrickyRowCount);
        return path;
    }

    // Runs a shell command; its output goes into the failure message.
    bool Run(const std::string& command)
    {
        FILE* pipe = popen((command + " 2>&1").c_str(), "r");
        std::string output;
        char buffer[4096];
        for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        const int status = pipe ? pclose(pipe) : -1;
        const bool ok = status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        EXPECT_TRUE(ok) << command << "\n" << output.substr(0, 4000);
        return ok;
    }

    // Runs one of the readers above on `path` and returns the rows it printed.
    Table Read(const char* reader, const std::string& path)
    {
        const std::string script = (Folder.Path() / "reader.py").string();
        const std::string result = (Folder.Path() / "read.out").string();
        std::ofstream(script) << reader;
        std::filesystem::remove(result);
        if (!Run(std::string(Python) + " " + script + " " + path + " " + result))
            return {};
        std::ifstream in(result, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Table rows(1);
        for (size_t at = 0, next; at <= text.size(); at = next + 1) {
            next = std::min(text.find_first_of("\x1e\x1f", at), text.size());
            rows.back().push_back(text.substr(at, next - at));
            if (next < text.size() && text[next] == '\x1e')
                rows.emplace_back();
        }
        return rows;
    }

    static void ExpectCells(const Table& read, size_t first, const Table& expected)
    {
        ASSERT_EQ(read.size(), first + expected.size());
        for (size_t r = 0; r < expected.size(); ++r)
            for (size_t c = 0; c < Names.size(); ++c) {
                ASSERT_EQ(read[first + r].size(), Names.size()) << "row " << r;
                EXPECT_EQ(read[first + r][c], expected[r][c]) << "row " << r << ", " << Names[c];
            }
    }

    TTempFolder Folder{"markup"};
    TComponent Form{nullptr};
    TSQLiteDataSet* DataSet = new TSQLiteDataSet(&Form);
};

}  // namespace

TEST_F(MarkupExports, XmlIsWellFormedAndHoldsEveryValueAndName)
{
    TKXMLExport exporter(&Form);
    const std::string path = Export(exporter, "out.xml");
    Run("xmllint --noout " + path);
    const Table read = Read(ReadXml, path);
    ASSERT_GE(read.size(), 2u);
    // Made valid for every XML parser, told apart, and the field's own name beside.
    EXPECT_EQ(read[0], (std::vector<std::string>{"id", "name", "amount", "big", "flag", "day", "at", "stamp",
                                                 "note", "data", "ctl_chars", "ctl_chars_2", "_2nd", "_XMLfoo",
                                                 "Gr__e"}));
    EXPECT_EQ(read[1], Names);
    ExpectCells(read, 2, MachineTable());
}

TEST_F(MarkupExports, HtmlParsesWithoutErrorAndCarriesTheTemplatesLook)
{
    // Everything HTML may not hold reads as U+FFFD; a parser makes every CR an LF.
    const Table cells = PeopleTable("\n\n\uFFFD\uFFFD\uFFFD\uFFFD\nend");
    struct Case {
        const char* File;
        void (*Set)(TKHTMLExport&);
        std::vector<std::string> Look;  // title, page, font, links, header, rows, style sheet
    };
    const Case cases[] = {
        {"colorful.html",
         [](TKHTMLExport& e) { e.SetHTMLTemplate(htColorFul); },
         {"colorful", "#fff8dc", "#800080", "\"Comic Sans MS\"", "", "#c71585", "#b22222", "#ffff66", "#000080",
          "#ccffcc", "#cceeff", "-"}},
        // Colours stored blue first, a system colour, no colour at all; a face and a style sheet
        // name that try to break out of their strings.
        {"custom.html",
         [](TKHTMLExport& e) {
             e.HTMLOptions()->SetBackGroundColor(static_cast<TColor>(0x00336699));
             e.HTMLOptions()->SetVLinkColor(clWindowText);
             e.HTMLOptions()->DefaultFont()->SetName("Evil\"; } </style> <b>");
             e.HTMLOptions()->DefaultFont()->SetSize(12);
             e.HTMLOptions()->DefaultFont()->SetColor(clNavy);
             e.TableOptions()->SetHeadersRowBgColor(clTeal);
             e.TableOptions()->SetHeadersRowFontColor(clNone);
             e.SetCSSFileName("my \"own\" <style>.css");
         },
         {"custom", "#996633", "#000080", "\"Evil\"; } </style> <b>\"", "12pt", "#000000", "#008080", "",
          "#000000", "#ffff80", "#ff8080", "my \"own\" <style>.css"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        TKHTMLExport exporter(&Form);
        c.Set(exporter);
        const Table read = Read(ReadHtml, Export(exporter, c.File));
        ASSERT_GE(read.size(), 2u);
        EXPECT_EQ(read[0], c.Look);
        EXPECT_EQ(read[1], Names);
        ExpectCells(read, 2, cells);
    }
}

TEST_F(MarkupExports, RtfIsBalancedAsciiWithTheValuesInCells)
{
    TKRTFExport exporter(&Form);
    const Table read = Read(ReadRtf, Export(exporter, "out.rtf"));
    ASSERT_GE(read.size(), 1u);
    EXPECT_EQ(read[0], Names);
    // RTF has no place for the other controls; U+FFFE is a character like any other to it.
    ExpectCells(read, 1, PeopleTable("\n\n\uFFFD\uFFFD\uFFFD\uFFFE\nend"));
}

TEST_F(MarkupExports, LatexCompilesWithPdflatex)
{
    TKLaTeXExport exporter(&Form);
    const std::string path = Export(exporter, "out.tex");
    ASSERT_TRUE(Run("cd " + Folder.Path().string() +
                    " && pdflatex -interaction=nonstopmode -halt-on-error -no-shell-escape out.tex"));
    EXPECT_TRUE(std::filesystem::exists(Folder.Path() / "out.pdf"));
    std::ifstream log(Folder.Path() / "out.log");
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_EQ(text.str().find("Missing character"), std::string::npos) << "a glyph the font lacks";
}

TEST(LatexText, SpecialsAndCharactersTheFontsLackAreEscaped)
{
    const std::pair<std::string, std::string> cases[] = {
        {"# $ % & _ { }", "\\# \\$ \\% \\& \\_ \\{ \\}"},
        {"~^\\", "\\textasciitilde{}\\textasciicircum{}\\textbackslash{}"},
        {"<>|\"", "\\textless{}\\textgreater{}\\textbar{}\\textquotedbl{}"},
        // Ligatures and an optional argument that the text must not make.
        {"a--b,,c-d,e''``[x]", "a-{}-b,{},c-d,e\\textquotesingle{}\\textquotesingle{}\\textasciigrave{}\\textasciigrave{}{[}x{]}"},
        {"a\r\nb\rc\nd\te", "a\\cellbreak{}b\\cellbreak{}c\\cellbreak{}d\\quad{}e"},
        {"ünïcödé € ß", "ünïcödé € ß"},
        {"😀 Ж \x01 \uFFFD", "\\missingchar{1F600} \\missingchar{0416} \\missingchar{0001} \\missingchar{FFFD}"},
    };
    for (const auto& [text, latex] : cases) {
        AnsiString out;
        TLaTeXWriter::AppendEscaped(out, text);
        EXPECT_EQ(out, latex) << text;
    }
}
