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

const TExportFileKind Excel{{"SExcelFiles"}, "xls"};
const TExportFileKind RTF{{"SRTFFiles"}, "doc"};
const TExportFileKind HTML{{"SHTMLFiles"}, "html"};
const TExportFileKind CSS{{"SCSSFiles"}, "css"};
const TExportFileKind LaTeX{{"SLaTeXFiles"}, "tex"};
const TExportFileKind SQL{{"SSQLFiles"}, "sql"};
const TExportFileKind XML{{"SXMLFiles"}, "xml"};
const TExportFileKind DBF{{"SDBFFiles"}, "dbf"};
const TExportFileKind Program{{"SProgramFiles"}, "exe"};
const TExportFileKind Configuration{{"SConfigurationFiles"}, "cfg"};

namespace {

const TExportFileKind AsciiKinds[] = {
    {{"STextFiles"}, "txt"},
    {{"SCSVFiles"}, "csv"},
    {{"SDIFFiles"}, "dif"},
    {{"SSYLKFiles"}, "slk"},
};
const TExportFileKind NoKind{{""}, ""};

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
    {"Excel", {"SExcelFormat"}, &ExportFiles::Excel, &Make<TKExcelExport>},
    {"RTF", {"SRTFFormat"}, &ExportFiles::RTF, &Make<TKRTFExport>},
    {"HTML", {"SHTMLFormat"}, &ExportFiles::HTML, &Make<TKHTMLExport>},
    {"XML", {"SXMLFormat"}, &ExportFiles::XML, &Make<TKXMLExport>},
    {"DBF", {"SDBFFormat"}, &ExportFiles::DBF, &Make<TKDBFExport>},
    {"CSV", {"SCSVFormat"}, &ExportFiles::Ascii(etCSV), &MakeCsv},
    {"SQL", {"SSQLFormat"}, &ExportFiles::SQL, &Make<TKSQLExport>},
    {"LaTeX", {"SLaTeXFormat"}, &ExportFiles::LaTeX, &Make<TKLaTeXExport>},
    {"Clipboard", {"SClipboardFormat"}, nullptr, &Make<TKClipboardExport>},
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
