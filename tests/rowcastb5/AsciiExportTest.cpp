// The ASCII export's text, DIF and SYLK files, byte for byte, on values that break each format's
// structure when escaped wrong; LibreOffice reads them back in SpreadsheetReadersTest.

#include <gtest/gtest.h>

#include "rowcastb5/Kasciiexport.h"
#include "tests/ScriptFiles.h"
#include "tests/TempFolder.h"
#include "tests/TrickyDatabase.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

// A record's name and a text that holds a line break, a quote, the SYLK separator and an escape.
const char* const Breakers = "SELECT id, amount, name || char(13, 10) || 'a\";X3;K\"b;' || char(27, 0, 9) AS t "
                             "FROM tricky WHERE id IN (1, 2, 5)";

struct TFileCase {
    TASCIIExportType Type;
    const char* Sql;
    const char* Expected;
};

const TFileCase Files[] = {
    // Widths in code points (the emoji and ü count one), numbers right-aligned, line breaks and
    // tabs as pictures, NULL blank, no blanks at a line's end.
    {etText, "SELECT id, name, amount, note FROM tricky WHERE id IN (1, 2, 3, 4)",
     "id  name                                 amount  note\n"
     "--  --------------------------------  ---------  -------------------------\n"
     " 1  plain                                   1.5  a note\n"
     " 2\n"
     " 3  say \"hi\", then; leave                   0.1  line one\u2424line two\u2424tab\u2409end\n"
     " 4  <b>&amp;</b> # $ % & ~ _ ^ \\ { }  -2.5e-300  emoji \U0001F600 and \u00FCn\u00EFc\u00F6d\u00E9\n"},
    // The row count with the titles' row; quotes doubled, line breaks and controls but the tab
    // blank; infinity as text; invalid UTF-8 replaced.
    {etDIF, Breakers,
     "TABLE\r\n0,1\r\n\"\"\r\nVECTORS\r\n0,3\r\n\"\"\r\nTUPLES\r\n0,4\r\n\"\"\r\nDATA\r\n0,0\r\n\"\"\r\n"
     "-1,0\r\nBOT\r\n1,0\r\n\"id\"\r\n1,0\r\n\"amount\"\r\n1,0\r\n\"t\"\r\n"
     "-1,0\r\nBOT\r\n0,1\r\nV\r\n0,1.5\r\nV\r\n1,0\r\n\"plain a\"\";X3;K\"\"b;  \t\"\r\n"
     "-1,0\r\nBOT\r\n0,2\r\nV\r\n1,0\r\n\"\"\r\n1,0\r\n\"\"\r\n"
     "-1,0\r\nBOT\r\n0,5\r\nV\r\n1,0\r\n\"INF\"\r\n1,0\r\n\"A\uFFFDB\uFFFD a\"\";X3;K\"\"b;  \t\"\r\n"
     "-1,0\r\nEOD\r\n"},
    // Semicolons doubled, a line break as ESC blank colon, other controls but the tab blank, no
    // cell for NULL.
    {etSYLK, Breakers,
     "ID;PDROWCAST\r\nC;Y1;X1;K\"id\"\r\nC;Y1;X2;K\"amount\"\r\nC;Y1;X3;K\"t\"\r\n"
     "C;Y2;X1;K1\r\nC;Y2;X2;K1.5\r\nC;Y2;X3;K\"plain\x1B :a\";;X3;;K\"b;;  \t\"\r\n"
     "C;Y3;X1;K2\r\n"
     "C;Y4;X1;K5\r\nC;Y4;X2;K\"INF\"\r\nC;Y4;X3;K\"A\uFFFDB\uFFFD\x1B :a\";;X3;;K\"b;;  \t\"\r\n"
     "E\r\n"},
};

}  // namespace

TEST(AsciiExport, EachTypeWritesItsFormatByteForByte)
{
    TTempFolder folder("ascii-export");
    MakeTrickyDatabase(folder.Path() / "tricky.db");
    for (const TFileCase& c : Files) {
        SCOPED_TRACE(c.Type);
        TSQLiteDataSet data(nullptr);
        data.SetDatabaseName(folder.Path() / "tricky.db");
        data.SetSQL(c.Sql);
        TKASCIIExport out(nullptr);
        out.SetDataSet(&data);
        out.SetExportType(c.Type);
        out.SetFileName((folder.Path() / "out").string());
        out.Export();
        EXPECT_EQ(ReadText(folder.Path() / "out"), c.Expected);
    }
}
