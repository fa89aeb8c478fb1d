#include "host/Inspector.h"

#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"

TInspectorRow::TInspectorRow(std::unique_ptr<TPropertyEditor> editor) : FEditor(std::move(editor)) {}

AnsiString TInspectorRow::DisplayValue() const
{
    return FEditor->AllEqual() ? FEditor->GetValue() : AnsiString();
}

std::vector<AnsiString> TInspectorRow::DropDownValues() const
{
    TStringList list;
    list.SetSorted(FEditor->GetAttributes().Contains(paSortList));
    FEditor->GetValues([&](const AnsiString& value) { list.Add(value); });
    std::vector<AnsiString> values;
    for (int i = 0; i < list.Count(); ++i)
        values.push_back(list[i]);
    return values;
}

const std::vector<std::unique_ptr<TInspectorRow>>& TInspectorRow::SubRows()
{
    if (!FSubRows) {
        std::vector<std::unique_ptr<TInspectorRow>> rows;
        if (FEditor->GetAttributes().Contains(paSubProperties))
            FEditor->GetProperties([&](std::unique_ptr<TPropertyEditor> editor) {
                rows.push_back(std::make_unique<TInspectorRow>(std::move(editor)));
            });
        FSubRows = std::move(rows);
    }
    return *FSubRows;
}

TInspector::TInspector(const TDesignerSelectionList& selection, TFormDesigner* designer)
{
    GetComponentProperties(selection, designer, [&](std::unique_ptr<TPropertyEditor> editor) {
        FRows.push_back(std::make_unique<TInspectorRow>(std::move(editor)));
    });
}

TInspectorRow* TInspector::Find(std::string_view path) const
{
    const std::vector<std::unique_ptr<TInspectorRow>>* rows = &FRows;
    TInspectorRow* found = nullptr;
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
