// What the Preview panel reads back of the formats it shows as a grid, from the exports' own files
// of the tricky table: the cells a spreadsheet shows, titles first.

#include <gtest/gtest.h>

#include "host/DesignHost.h"
#include "host/ExportPreview.h"
#include "host/XlsxCells.h"
#include "rowcastb5/Kdbfexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "tests/TempFolder.h"
#include "tests/TrickyDatabase.h"
#include "vcl50/Wholefiles.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

TEST(ExportPreview, GridsShowTheCellsASpreadsheetShows)
{
    TTempFolder folder("export-preview");
    MakeTrickyDatabase(folder.Path() / "tricky.db");
    TDesignHost host;
    TDesigner& form = host.NewForm("Form1");
    auto* data = new TSQLiteDataSet(form.GetRoot());
    data->SetName("Data");
    data->SetDatabaseName(folder.Path() / "tricky.db");
    data->SetTableName("tricky");
    auto* excel = new TKExcelExport(form.GetRoot());
    auto* dbf = new TKDBFExport(form.GetRoot());
    for (TKExport* e : {static_cast<TKExport*>(excel), static_cast<TKExport*>(dbf)}) {
        e->SetDataSet(data);
        e->Formats()->SetDateFormat("yyyy-mm-dd");
        e->Formats()->SetDateTimeFormat("yyyy-mm-dd hh:nn:ss");
    }
    struct Case {
        TKExport* Export;
        std::vector<AnsiString> Titles;
        std::vector<std::pair<std::pair<size_t, size_t>, AnsiString>> Cells;  // (row, column) -> text
    };
    const Case cases[] = {
        {excel,
         {"id", "name", "amount", "big", "flag", "day", "at", "stamp", "note", "data"},
         {{{1, 4}, "TRUE"}, {{1, 5}, "2024-02-29"}, {{1, 7}, "2024-02-29 13:45:30"}, {{2, 1}, ""},
          {{3, 3}, "9223372036854775807"}, {{5, 5}, "not a date"}, {{6, 1}, "=1+2"}, {{1, 2}, "1.5"}}},
        {dbf,  // memo and blob columns are left out
         {"id", "name", "amount", "big", "flag", "day", "at", "stamp"},
         {{{1, 1}, "plain"}, {{3, 3}, "9223372036854775807"}, {{6, 1}, "=1+2"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Export->ClassName());
        const TExportPreview preview = PreviewExport(host.Commands(), c.Export);
        ASSERT_EQ(preview.Failure, "");
        EXPECT_EQ(preview.Kind, TExportPreview::pkGrid);
        EXPECT_EQ(preview.Rows, TrickyRowCount);
        ASSERT_EQ(preview.Cells.size(), static_cast<size_t>(TrickyRowCount + 1));
        EXPECT_EQ(preview.Cells[0], c.Titles);
        for (const auto& [where, text] : c.Cells) {
            const auto& row = preview.Cells[where.first];
            EXPECT_EQ(where.second < row.size() ? row[where.second] : AnsiString("(none)"), text)
                << where.first << "," << where.second;
        }
    }
    // A file that is no workbook is a read error, never a crash or a guess.
    for (const AnsiString& junk : {AnsiString(), AnsiString("PK\x05\x06", 4), AnsiString(30, 'x')})
        EXPECT_THROW(XlsxCells(junk), EReadError);
    EXPECT_THROW(DbfCells("short"), EReadError);
}

}  // namespace
