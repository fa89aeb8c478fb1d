#pragma once
// LibreOffice as the independent reader of exported files: a headless run converts them to CSV,
// and the CSV comes back as cells.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct TSheetCell {
    std::string Text;
    bool Quoted = false;  // the conversion quotes every text cell: a bare cell is a number (or empty)
};
using TSheet = std::vector<std::vector<TSheetCell>>;

bool LibreOfficeInstalled();

// Opens each file as `inFilter` says (empty: by its type) and saves its first sheet as UTF-8 CSV,
// all in one run of soffice with a profile of its own in `work`; the sheets in the files'
// order. The files' names without extension must differ. Raises std::runtime_error with soffice's output when a file did not convert.
std::vector<TSheet> ReadWithLibreOffice(const std::vector<std::filesystem::path>& files, const std::string& inFilter,
                                        const std::filesystem::path& work);

TSheet ParseCsv(std::string_view text);
