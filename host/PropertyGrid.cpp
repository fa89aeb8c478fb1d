#include "host/PropertyGrid.h"

#include <algorithm>
#include <filesystem>

#include "host/Designer.h"
#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"

namespace {

// An editor without paMultiSelect cannot stand for several objects (one Name for all of them).
bool FitsSelection(TPropertyEditor& editor)
{
    return editor.PropCount() == 1 || editor.GetAttributes().Contains(paMultiSelect);
}

// The absolute folder of the form's file; empty for a form in no file yet.
std::filesystem::path FormFolder(TFormDesigner* designer)
{
    const auto* form = dynamic_cast<const TDesigner*>(designer);
    if (!form || form->FileName().empty())
        return {};
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(form->FileName(), error);
    return error ? std::filesystem::path() : file.lexically_normal().parent_path();
}

// An absolute path inside `folder` relative to it; any other path as it is. Compared as text,
// without asking the file system: what the dialog returned is what is judged.
AnsiString ShownFrom(const std::filesystem::path& folder, const AnsiString& path)
{
    const std::filesystem::path stored(path);
    if (folder.empty() || !stored.is_absolute())
        return path;
    const std::filesystem::path inside = stored.lexically_normal().lexically_relative(folder);
    if (inside.empty() || inside == "." || *inside.begin() == "..")
        return path;
    return inside.string();
}

}  // namespace

TPropertyGridRow::TPropertyGridRow(std::unique_ptr<TPropertyEditor> editor, const AnsiString& parentPath)
    : FEditor(std::move(editor)), FPath(parentPath.empty() ? Name() : parentPath + "." + Name())
{
}

AnsiString TPropertyGridRow::DisplayValue() const
{
    if (!FEditor->AllEqual())
        return "";
    const AnsiString value = FEditor->GetValue();
    return FEditor->NamesFile() ? ShownFrom(FormFolder(FEditor->Designer()), value) : value;
}

AnsiString TPropertyGridRow::TypedValue(const AnsiString& text) const
{
    if (!FEditor->NamesFile() || !FEditor->AllEqual())
        return text;
    const AnsiString stored = FEditor->GetValue();
    return text == ShownFrom(FormFolder(FEditor->Designer()), stored) ? stored : text;
}

std::vector<AnsiString> TPropertyGridRow::DropDownValues() const
{
    TStringList list;
    list.SetSorted(FEditor->GetAttributes().Contains(paSortList));
    FEditor->GetValues([&](const AnsiString& value) { list.Add(value); });
    std::vector<AnsiString> values;
    for (int i = 0; i < list.Count(); ++i)
        values.push_back(list[i]);
    return values;
}

const std::vector<std::unique_ptr<TPropertyGridRow>>& TPropertyGridRow::SubRows()
{
    if (!FSubRows) {
        std::vector<std::unique_ptr<TPropertyGridRow>> rows;
        if (FEditor->GetAttributes().Contains(paSubProperties))
            // An editor may make its sub-editors itself, past GetComponentProperties' check.
            FEditor->GetProperties([&](std::unique_ptr<TPropertyEditor> editor) {
                if (FitsSelection(*editor))
                    rows.push_back(std::make_unique<TPropertyGridRow>(std::move(editor), FPath));
            });
        FSubRows = std::move(rows);
    }
    return *FSubRows;
}

bool TPropertyGridRow::Shown(std::string_view filter)
{
    if (filter.empty() || UpperCase(Name()).find(UpperCase(filter)) != AnsiString::npos)
        return true;
    const auto& rows = SubRows();
    return std::any_of(rows.begin(), rows.end(), [&](const auto& row) { return row->Shown(filter); });
}

TPropertyGrid::TPropertyGrid(const TDesignerSelectionList& selection, TFormDesigner* designer)
{
    // GetComponentProperties leaves out what cannot stand for the whole selection.
    GetComponentProperties(selection, designer, [&](std::unique_ptr<TPropertyEditor> editor) {
        FRows.push_back(std::make_unique<TPropertyGridRow>(std::move(editor)));
    });
}

TPropertyGridRow* TPropertyGrid::Find(std::string_view path) const
{
    const std::vector<std::unique_ptr<TPropertyGridRow>>* rows = &FRows;
    TPropertyGridRow* found = nullptr;
    while (true) {
        size_t dot = path.find('.');
        std::string_view name = path.substr(0, dot);
        found = nullptr;
        for (const auto& row : *rows)
            if (SameText(row->Name(), name)) {
                found = row.get();
                break;
            }
        if (!found || dot == std::string_view::npos)
            return found;
        path.remove_prefix(dot + 1);
        rows = &found->SubRows();
    }
}
