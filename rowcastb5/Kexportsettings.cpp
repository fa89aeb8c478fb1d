#include "rowcastb5/Kexportsettings.h"

#include <filesystem>
#include <system_error>

#include "rowcastb5/Kexportformats.h"
#include "vcl50/Inifiles.h"
#include "vcl50/Strings.h"

const char* EExportSettingsError::ClassName() const { return "EExportSettingsError"; }

namespace {

constexpr char Section[] = "Export";

std::vector<AnsiString> FromCommaText(const AnsiString& text)
{
    TStringList list;
    list.SetCommaText(text);
    std::vector<AnsiString> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.Get(i));
    return names;
}

AnsiString ToCommaText(const std::vector<AnsiString>& names)
{
    TStringList list;
    for (const AnsiString& name : names)
        list.Add(name);
    return list.CommaText();
}

}  // namespace

std::optional<TExportDialogSettings> ReadExportSettings(const AnsiString& path)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(path), error))
        return std::nullopt;
    TIniFile ini(path);
    TExportDialogSettings settings;
    try {
        ini.BeginUpdate();  // one read of the file for every key
        if (!ini.SectionExists(Section))
            throw EExportSettingsError("it has no [Export] section");
        const AnsiString format = ini.ReadString(Section, "Format", "");
        settings.Format = FindExportFormat(format);
        if (settings.Format < 0)
            throw EExportSettingsError(Format("Format=%s names no format of the dialog", {format}));
        settings.FileName = ini.ReadString(Section, "FileName", "");
        settings.Order = FromCommaText(ini.ReadString(Section, "Order", ""));
        settings.Fields = FromCommaText(ini.ReadString(Section, "Fields", ""));
        ini.EndUpdate();
    } catch (const EIniFileException& e) {
        throw EExportSettingsError(e.Message());
    }
    return settings;
}

void WriteExportSettings(const AnsiString& path, const TExportDialogSettings& settings)
{
    TIniFile ini(path);
    ini.BeginUpdate();
    ini.EraseSection(Section);  // what a malformed section held goes
    ini.WriteString(Section, "Format", ExportFormats()[static_cast<size_t>(settings.Format)].Key);
    ini.WriteString(Section, "FileName", settings.FileName);
    ini.WriteString(Section, "Order", ToCommaText(settings.Order));
    ini.WriteString(Section, "Fields", ToCommaText(settings.Fields));
    ini.EndUpdate();
}
