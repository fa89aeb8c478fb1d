#include "host/ExportPreview.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "host/XlsxCells.h"
#include "rowcastb5/Kdbfexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "rowcastb5/Khtmlexport.h"
#include "vcl50/Wholefiles.h"

namespace {

// Previews are small (a few dozen records); more than this is no preview worth reading.
constexpr size_t MaxPreviewBytes = 16u << 20;
// A preview is made on the window's thread: records that take longer than this to come stop it,
// so that a slow query never holds the window for long.
constexpr auto PreviewTime = std::chrono::milliseconds(1500);

// A private folder for the preview's file, removed with it.
class TPreviewFolder {
public:
    TPreviewFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "drowcast-preview-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            FPath = pattern;
    }
    ~TPreviewFolder()
    {
        std::error_code ignored;
        if (!FPath.empty())
            std::filesystem::remove_all(FPath, ignored);
    }
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

uint32_t Little(const AnsiString& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

AnsiString Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return AnsiString(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::vector<std::vector<AnsiString>> DbfCells(const AnsiString& bytes)
{
    auto malformed = [] { throw EReadError("The file is no dBase table"); };
    if (bytes.size() < 32)
        malformed();
    const uint32_t records = Little(bytes, 4, 4);
    const size_t headerSize = Little(bytes, 8, 2);
    const size_t recordSize = Little(bytes, 10, 2);
    if (headerSize < 33 || headerSize > bytes.size() || recordSize == 0)
        malformed();
    std::vector<std::vector<AnsiString>> cells(1);
    std::vector<size_t> widths;
    for (size_t at = 32; at + 32 <= headerSize && bytes[at] != '\r'; at += 32) {
        const AnsiString name = bytes.substr(at, 11);
        cells[0].push_back(name.substr(0, name.find('\0')));
        widths.push_back(static_cast<unsigned char>(bytes[at + 16]));
    }
    for (uint32_t r = 0; r < records; ++r) {
        size_t at = headerSize + r * recordSize;
        if (at + recordSize > bytes.size())
            malformed();
        if (bytes[at] == '*')
            continue;  // deleted
        std::vector<AnsiString>& row = cells.emplace_back();
        ++at;
        for (size_t width : widths) {
            row.push_back(Trimmed(std::string_view(bytes).substr(at, width)));
            at += width;
        }
    }
    return cells;
}

TExportPreview PreviewExport(TDesignerCommands& commands, TComponent* component, int64_t records)
{
    TExportPreview preview;
    TPreviewFolder folder;
    if (folder.Path().empty()) {
        preview.Failure = "No folder for the preview could be made";
        return preview;
    }
    const bool excel = dynamic_cast<TKExcelExport*>(component) != nullptr;
    const bool dbf = dynamic_cast<TKDBFExport*>(component) != nullptr;
    preview.Kind = excel || dbf ? TExportPreview::pkGrid
                   : dynamic_cast<TKHTMLExport*>(component) ? TExportPreview::pkHtml
                                                            : TExportPreview::pkText;
    TExportOptions options;
    options.FileName = folder.Path() + "/preview";
    options.MaxRecords = records;
    const auto start = std::chrono::steady_clock::now();
    bool late = false;
    options.OnProgress = [&](int64_t, int64_t) {
        late = std::chrono::steady_clock::now() - start > PreviewTime;
        return !late;
    };
    TDesignerCommands::TExportOutcome outcome = commands.Export(component, options);
    if (!outcome.Result) {
        preview.Failure = late ? Format("The records came too slowly for a preview (it stops after %d ms); the "
                                        "export itself takes as long as it needs",
                                        {static_cast<int>(PreviewTime.count())})
                               : outcome.Failure;
        return preview;
    }
    preview.Rows = outcome.Result->Rows;
    try {
        const AnsiString bytes = ReadFileBytes(options.FileName, MaxPreviewBytes);
        if (excel)
            preview.Cells = XlsxCells(bytes);
        else if (dbf)
            preview.Cells = DbfCells(bytes);
        else
            preview.Text = bytes;
    } catch (const Exception& e) {
        preview.Failure = e.Message();
    }
    return preview;
}
