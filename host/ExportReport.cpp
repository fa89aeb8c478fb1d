#include "host/ExportReport.h"

AnsiString ExportedLine(const AnsiString& name, const TExportResult& result)
{
    return "exported: " + name + " rows=" + IntToStr(result.Rows) + " -> " + result.Destination;
}
