#include "rowcastb5/Kexportformats.h"

#include <iterator>

#include "rowcastb5/Kasciiexport.h"
#include "rowcastb5/Kclipboardexport.h"
#include "rowcastb5/Kdbfexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Klatexexport.h"
#include "rowcastb5/Krtfexport.h"
#include "rowcastb5/Ksqlexport.h"
#include "rowcastb5/Kxmlexport.h"

namespace ExportFiles {

const TExportFileKind Excel{"Microsoft Excel files (*.xls)|*.xls", "xls"};
const TExportFileKind RTF{"Microsoft Word files (*.doc)|*.doc|RTF files (*.rtf)|*.rtf", "doc"};
const TExportFileKind HTML{"HTML files (*.html, *.htm)|*.html;*.htm", "html"};
const TExportFileKind CSS{"Cascading style sheets files (*.css)|*.css", "css"};
const TExportFileKind LaTeX{"LaTeX files (*.tex)|*.tex", "tex"};
const TExportFileKind SQL{"SQL files (*.sql)|*.sql", "sql"};
const TExportFileKind XML{"XML files (*.xml)|*.xml", "xml"};
const TExportFileKind DBF{"DBF files (*.dbf)|*.dbf", "dbf"};
const TExportFileKind Program{"Executable files (*.exe)|*.exe", "exe"};
const TExportFileKind Configuration{"Configurations files (*.cfg)|*.cfg", "cfg"};

namespace {

const TExportFileKind AsciiKinds[] = {
    {"Text files (*.txt)|*.txt", "txt"},
    {"CSV files (*.csv)|*.csv", "csv"},
    {"DIF files (*.dif)|*.dif", "dif"},
    {"SYLK files (*.slk)|*.slk", "slk"},
};
const TExportFileKind NoKind{"", ""};

}  // namespace

const TExportFileKind& Ascii(size_t exportType)
{
    return exportType < std::size(AsciiKinds) ? AsciiKinds[exportType] : NoKind;
}

}  // namespace ExportFiles

namespace {

template <class T>
std::unique_ptr<TKExport> Make()
{
    return ConstructUnique<T>(nullptr);
}

std::unique_ptr<TKExport> MakeCsv()
{
    auto csv = ConstructUnique<TKASCIIExport>(nullptr);
    csv->SetExportType(etCSV);
    return csv;
}

const TExportFormat Formats[] = {
    {"Excel", "Excel workbook", &ExportFiles::Excel, &Make<TKExcelExport>},
    {"RTF", "RTF document", &ExportFiles::RTF, &Make<TKRTFExport>},
    {"HTML", "HTML page", &ExportFiles::HTML, &Make<TKHTMLExport>},
    {"XML", "XML document", &ExportFiles::XML, &Make<TKXMLExport>},
    {"DBF", "DBF table", &ExportFiles::DBF, &Make<TKDBFExport>},
    {"CSV", "CSV text", &ExportFiles::Ascii(etCSV), &MakeCsv},
    {"SQL", "SQL script", &ExportFiles::SQL, &Make<TKSQLExport>},
    {"LaTeX", "LaTeX document", &ExportFiles::LaTeX, &Make<TKLaTeXExport>},
    {"Clipboard", "Clipboard", nullptr, &Make<TKClipboardExport>},
};

}  // namespace

std::span<const TExportFormat> ExportFormats()
{
    return Formats;
}

int FindExportFormat(std::string_view key)
{
    for (size_t i = 0; i < std::size(Formats); ++i)
        if (SameText(Formats[i].Key, key))
            return static_cast<int>(i);
    return -1;
}
