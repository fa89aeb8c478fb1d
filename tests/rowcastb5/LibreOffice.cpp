#include "tests/rowcastb5/LibreOffice.h"

#include <unistd.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <stdexcept>

#include "tests/ScriptFiles.h"
#include "tests/rowcastb5/Programs.h"

namespace fs = std::filesystem;

bool LibreOfficeInstalled()
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((fs::path(folder) / "soffice").c_str(), X_OK) == 0)
            return true;
    return false;
}

std::vector<TSheet> ReadWithLibreOffice(const std::vector<fs::path>& files, const std::string& inFilter,
                                        const fs::path& work)
{
    const fs::path out = work / "converted";
    std::set<fs::path> stems;
    for (const fs::path& file : files)
        if (!stems.insert(file.stem()).second)
            throw std::runtime_error("two files would convert to " + file.stem().string() + ".csv");
    // Comma, quote, UTF-8, from line 1, no column types, default language, every text cell quoted.
    TProgram soffice{{"soffice", "-env:UserInstallation=file://" + (work / "profile").string(), "--headless",
                      "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true", "--outdir", out.string()},
                     // SYLK is read in the locale's character set.
                     {"LC_ALL=C.UTF-8", "LANG=C.UTF-8"},
                     work / "soffice.out",
                     work / "soffice.err"};
    if (!inFilter.empty())
        soffice.Args.push_back("--infilter=" + inFilter);
    for (const fs::path& file : files)
        soffice.Args.push_back(file.string());
    const int status = WaitProgram(StartProgram(soffice));
    std::vector<TSheet> sheets;
    for (const fs::path& file : files) {
        const fs::path csv = out / file.filename().replace_extension(".csv");
        if (status != 0 || !fs::exists(csv))
            throw std::runtime_error("soffice (status " + std::to_string(status) + ") did not convert " +
                                     file.string() + ":\n" + ReadText(soffice.Out) + ReadText(soffice.Err));
        sheets.push_back(ParseCsv(ReadText(csv)));
    }
    return sheets;
}

TSheet ParseCsv(std::string_view text)
{
    TSheet sheet;
    std::vector<TSheetCell> row;
    TSheetCell cell;
    bool inQuotes = false;
    auto endCell = [&] {
        row.push_back(std::move(cell));
        cell = {};
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                cell.Text += text[++i];
            else if (c == '"')
                inQuotes = false;
            else
                cell.Text += c;
        } else if (c == '"') {
            inQuotes = cell.Quoted = true;
        } else if (c == ',') {
            endCell();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endCell();
            sheet.push_back(std::move(row));
            row = {};
        } else {
            cell.Text += c;
        }
    }
    if (!row.empty() || !cell.Text.empty() || cell.Quoted) {
        endCell();
        sheet.push_back(std::move(row));
    }
    return sheet;
}
